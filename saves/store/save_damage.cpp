#include "saves/store/save_damage.h"

#include <stdio.h>

#include <memory>
#include <string_view>
#include <vector>

#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/container/data_stream_reader.h"
#include "saves/container/gzip_buffer.h"
#include "saves/store/world_entry.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"
#include "world/world.h"

namespace {

// A gzip stream ends with the inflated size in its last four bytes. The largest section, the cells
// of the largest world (4096 x 512 cells of 24 bytes), stays under this; a trailer that claims
// more was damaged, and nothing that large is allocated for it.
constexpr uint32_t kLargestSection = 64u << 20;

// Whether a compressed body inflates to the size its trailer records, its check value intact. The
// reader has already held the entry's place against the file's length.
bool inflatesWhole(DataStreamReader& in, const SectionEntry& entry) {
  if (entry.size == 0) return true;
  if (entry.size < 4) return false;
  std::vector<uint8_t> stored(entry.size);
  if (!in.readAt(entry.offset, stored)) return false;
  const uint8_t* tail = &stored[stored.size() - 4];
  const uint32_t inflated = tail[0] | (tail[1] << 8) | (tail[2] << 16) | (static_cast<uint32_t>(tail[3]) << 24);
  if (inflated > kLargestSection) return false;
  std::vector<uint8_t> body(inflated);
  return gunzipBuffer(stored, body);
}

// The reason a container cannot be opened as one of `magic`, judged from its first bytes and its
// length; empty when the reader has nothing to say against it.
std::string containerDamage(kel::FileHandle& file, DataStreamReader& in, std::string_view magic,
                            const char* kind) {
  if (!file.isOpen()) return "it cannot be opened";
  if (in.fileSize() == 0) return "the file is empty";
  std::vector<uint8_t> head(4);
  const bool headRead = in.fileSize() >= head.size() && in.readAt(0, head);
  const std::string_view headMagic(reinterpret_cast<const char*>(head.data()), head.size());
  // Too short for its magic, it was cut short; other first bytes were replaced.
  if (headRead && headMagic != magic) return std::string("its header is not a ") + kind + " file's";
  if (in.failed()) return "the file is cut short";
  return {};
}

// A section every world file holds, its directory entry gone or its id replaced.
std::string missingSection(uint16_t id) { return "its section " + std::to_string(id) + " is missing"; }

}  // namespace

std::string worldFileDamage(const std::string& path) {
  kel::FileHandle file(path, kel::FileHandle::READ);
  DataStreamReader in(file);
  if (std::string said = containerDamage(file, in, world_file::kMagic, "world"); !said.empty()) return said;
  if (!in.is(world_file::kMagic, world_file::kWorldVersion) && !in.is(world_file::kMagic, world_file::kAdventureVersion)) {
    return "its header is not a world file's";
  }
  WorldInfo info;
  const bool worldVersion = in.header().version == world_file::kWorldVersion;
  if (in.openSection(world_file::kInfo) == nullptr || !readWorldInfo(in, info) ||
      (worldVersion && !isLegalWorldSize(info.width, info.height))) {
    return "its world record is damaged";
  }
  // A file is loaded by its record's mode: an adventure's file by its links, any other as a world
  // file. A world whose version says adventure fails that load, so it is never offered as whole.
  if (!worldVersion && info.params.mode != kAdventureMode) return "its header is not a world file's";
  if (worldVersion) {
    for (const world_file::Section id : world_file::kRequiredSections) {
      if (in.openSection(id) == nullptr) return missingSection(id);
    }
  }
  for (const SectionEntry& entry : in.directory()) {
    if (entry.id != 0 && entry.storage == static_cast<uint8_t>(SectionStorage::Gzip) &&
        !inflatesWhole(in, entry)) {
      return "its section " + std::to_string(entry.id) + " is damaged";
    }
  }
  if (in.header().version != world_file::kWorldVersion) return {};
  // Whole containers may still hold records the game cannot load (a count past its section's end, a
  // stream a cell short): the file is read as loading reads it, into a world thrown away after.
  kel::FileHandle again(path, kel::FileHandle::READ);
  const std::unique_ptr<World> world = World::create(nullptr, info.params, info.width, info.height);
  if (world->map().explored() != nullptr && in.openSection(world_file::kExplored) == nullptr) {
    return missingSection(world_file::kExplored);
  }
  if (!worldFileReadsWhole(again, *world)) return "its world data is damaged";
  return {};
}

std::string characterFileDamage(const std::string& path) {
  kel::FileHandle file(path, kel::FileHandle::READ);
  std::string said;
  {
    DataStreamReader in(file);
    said = containerDamage(file, in, kCharacterMagic, "character");
  }
  if (!said.empty()) return said;
  CharacterRecord record;
  CharacterParts parts;
  if (fseeko(file.stream(), 0, SEEK_SET) != 0 || !readCharacterFile(file, record, parts)) {
    return "its contents are damaged";
  }
  return {};
}
