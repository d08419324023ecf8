#include "saves/world/world_summary.h"

#include <stdio.h>

#include <algorithm>
#include <cstring>

#include "engine/io/byte_reader.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/store/world_entry.h"

namespace {

constexpr const char* kWorldMagic = "RBWM";
constexpr uint16_t kWorldVersion = 1;
constexpr uint16_t kAdventureVersion = 2;
constexpr uint16_t kInfoSection = 1;
constexpr size_t kInfoBytes = 224;
constexpr size_t kNameOffset = 24;
constexpr size_t kNameBytes = 32;

// What a world without its info record is taken for.
void defaultInfo(uint8_t (&info)[kInfoBytes]) {
  std::memset(info, 0, sizeof info);
  const uint8_t params[12] = {1, 0, 0, 0, 0x0F, 0x00, 0x02, 0x01, 0, 0, 0, 0};
  std::memcpy(info + 84, params, sizeof params);
}

bool isWorldFile(const DataStreamReader& in) {
  return in.is(kWorldMagic, kWorldVersion) || in.is(kWorldMagic, kAdventureVersion);
}

}  // namespace

std::unique_ptr<WorldEntry> readWorldSummary(const std::string& fileName, kel::FileHandle& file) {
  if (!file.isOpen()) return nullptr;
  DataStreamReader in(file);
  if (!isWorldFile(in)) return nullptr;
  uint8_t info[kInfoBytes];
  defaultInfo(info);
  // A short record still yields the entry, over the defaults for what is missing.
  if (in.openSection(kInfoSection)) in.read({info, std::min<size_t>(in.remaining(), kInfoBytes)});

  engine::ByteReader record(info, sizeof info);
  auto entry = std::make_unique<WorldEntry>();
  entry->fileName = fileName;
  record.bytes(entry->saveId.data(), entry->saveId.size());
  entry->time = record.u32();
  entry->build = record.u32();
  const std::span<const uint8_t> name = record.take(kNameBytes);
  entry->displayName.assign(name.begin(), std::find(name.begin(), name.end(), uint8_t{0}));
  record.skip(16);  // "author"
  entry->width = record.u16();
  entry->height = record.u16();
  record.skip(8);  // the local player's cell and spawn cell
  entry->params.planetId = record.u32();
  entry->params.flags = record.u8();
  entry->params.mode = record.u8();
  entry->params.sizeIndex = record.u8();
  entry->params.heightIndex = record.u8();
  entry->params.extra = record.u32();
  return entry;
}

bool rewriteWorldName(kel::FileHandle& file, const std::string& name) {
  if (!file.isOpen()) return false;
  DataStreamReader in(file);
  const SectionEntry* info = in.openSection(kInfoSection);
  if (!in.is(kWorldMagic, kWorldVersion) || info == nullptr ||
      info->size < kNameOffset + kNameBytes) {
    return false;
  }
  uint8_t bytes[kNameBytes] = {};
  std::memcpy(bytes, name.data(), std::min(name.size(), kNameBytes));
  FILE* stream = file.stream();
  return fseeko(stream, static_cast<off_t>(info->offset + kNameOffset), SEEK_SET) == 0 &&
         std::fwrite(bytes, 1, kNameBytes, stream) == kNameBytes && std::fflush(stream) == 0;
}
