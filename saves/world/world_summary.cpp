#include "saves/world/world_summary.h"

#include <stdio.h>

#include <algorithm>
#include <cstring>

#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/store/world_entry.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"

namespace {

constexpr size_t kNameOffset = 24;

bool isWorldFile(const DataStreamReader& in) {
  return in.is(world_file::kMagic, world_file::kWorldVersion) ||
         in.is(world_file::kMagic, world_file::kAdventureVersion);
}

}  // namespace

std::unique_ptr<WorldEntry> readWorldSummary(const std::string& fileName, kel::FileHandle& file) {
  if (!file.isOpen()) return nullptr;
  DataStreamReader in(file);
  if (!isWorldFile(in)) return nullptr;
  WorldInfo info;
  // A short record still yields the entry, over the defaults for what is missing.
  readWorldInfo(in, info);
  auto entry = std::make_unique<WorldEntry>();
  entry->fileName = fileName;
  entry->saveId = info.saveId;
  entry->time = info.time;
  entry->build = info.build;
  entry->displayName = info.name;
  entry->width = info.width;
  entry->height = info.height;
  entry->params = info.params;
  return entry;
}

bool rewriteWorldName(kel::FileHandle& file, const std::string& name) {
  if (!file.isOpen()) return false;
  DataStreamReader in(file);
  const SectionEntry* info = in.openSection(world_file::kInfo);
  if (!in.is(world_file::kMagic, world_file::kWorldVersion) || info == nullptr ||
      info->size < kNameOffset + kWorldNameBytes) {
    return false;
  }
  uint8_t bytes[kWorldNameBytes] = {};
  std::memcpy(bytes, name.data(), std::min(name.size(), kWorldNameBytes));
  FILE* stream = file.stream();
  return fseeko(stream, static_cast<off_t>(info->offset + kNameOffset), SEEK_SET) == 0 &&
         std::fwrite(bytes, 1, kWorldNameBytes, stream) == kWorldNameBytes && std::fflush(stream) == 0;
}
