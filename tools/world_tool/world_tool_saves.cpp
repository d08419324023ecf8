#include "tools/world_tool/world_tool_saves.h"

#include <ctime>
#include <fstream>
#include <sstream>
#include <span>

#include "content/planets/planet_def.h"
#include "engine/base/path_utils.h"
#include "engine/io/byte_reader.h"
#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/character/character_record.h"
#include "saves/container/data_stream_reader.h"
#include "saves/store/character_store.h"
#include "saves/store/player_entry.h"
#include "saves/store/safe_write.h"
#include "saves/store/world_entry.h"
#include "saves/world/adventure_file.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "saves/world/world_summary.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace world_tool {

namespace {

// The sections that open with a count of their records, as the report names them.
struct CountedSection {
  uint16_t id;
  const char* name;
};
constexpr CountedSection kCountedSections[] = {
    {world_file::kChests, "chests"},         {world_file::kForges, "forges"},
    {world_file::kSigns, "signs"},           {world_file::kStables, "stables"},
    {world_file::kLabs, "alchemy labs"},     {world_file::kShelves, "shelves"},
    {world_file::kPlants, "plants"},         {world_file::kPlantCells, "plant cells"},
    {world_file::kSecondPlantCells, "second plant cells"}, {world_file::kAreas, "protected areas"},
    {world_file::kLiquids, "queued liquid cells (active)"}, {world_file::kCircuits, "dirty circuit cells"},
    {world_file::kMobs, "mobs"},
};

std::string baseName(const std::string& path) {
  const size_t slash = engine::findLastSlash(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

const char* planetName(uint32_t planetId) {
  for (const auto& planet : planetDefs()) {
    if (planet->id == planetId) return planet->name.c_str();
  }
  return "(unknown planet)";
}

void printSectionCounts(kel::FileHandle& file, std::FILE* out) {
  DataStreamReader in(file);
  for (const CountedSection& section : kCountedSections) {
    uint8_t head[4] = {};
    const bool present = in.openSection(section.id) != nullptr && in.remaining() >= 4 && in.read(head);
    engine::ByteReader count(head, sizeof head);
    if (present) std::fprintf(out, "  %-28s %u\n", section.name, count.u32());
  }
}

int damaged(std::FILE* err, const std::string& path, const char* what) {
  std::fprintf(err, "world_tool: %s: %s\n", path.c_str(), what);
  return 1;
}

int loadCharacter(const std::string& path, std::FILE* out, std::FILE* err) {
  kel::FileHandle file(path, kel::FileHandle::READ);
  CharacterRecord record;
  CharacterParts parts;
  if (!readCharacterFile(file, record, parts)) return damaged(err, path, "damaged character file");
  std::fprintf(out, "character %s: health %.1f, difficulty %u, state flags 0x%X\n", record.name.c_str(),
               static_cast<double>(record.health), record.difficultyId, record.stateFlags);
  return 0;
}

int loadAdventure(const std::string& path, std::FILE* out, std::FILE* err) {
  kel::FileHandle file(path, kel::FileHandle::READ);
  std::unique_ptr<WorldEntry> entry = readWorldSummary(baseName(path), file);
  std::vector<PlanetLinkRecord> links;
  if (entry == nullptr || !readWorldFileV2(file, links)) return damaged(err, path, "damaged adventure file");
  std::fprintf(out, "adventure %s: %ux%u, planet %s, %zu planet links\n", entry->displayName.c_str(), entry->width,
               entry->height, planetName(entry->params.planetId), links.size());
  return 0;
}

int loadWorld(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  const std::string& path = args.inputPath;
  kel::FileHandle file(path, kel::FileHandle::READ);
  std::unique_ptr<WorldEntry> entry = readWorldSummary(baseName(path), file);
  if (entry == nullptr) return damaged(err, path, "damaged world file (header)");
  if (!isLegalWorldSize(entry->width, entry->height)) {
    return damaged(err, path, "damaged world file (its size is none a world can have)");
  }
  std::unique_ptr<World> world = World::create(nullptr, entry->params, entry->width, entry->height);
  NullWorldSaveLinks links;
  PlayerCells player;
  if (!readWorldFile(file, *world, links, &player)) return damaged(err, path, "damaged world file");
  std::fprintf(out, "world %s: %ux%u, planet %s, player (%u, %u), spawn (%u, %u)\n", entry->displayName.c_str(),
               entry->width, entry->height, planetName(entry->params.planetId), player.x, player.y, player.spawnX,
               player.spawnY);
  kel::FileHandle again(path, kel::FileHandle::READ);
  printSectionCounts(again, out);
  std::fprintf(out, "cells checksum %016llx\n", static_cast<unsigned long long>(cellsChecksum(world->map())));
  if (!args.pngPath.empty() && !writePicture(args.pngPath, world->map(), out, err)) return 1;
  return 0;
}

}  // namespace

// A kill or a full disk while the tool writes leaves the file that was there, as the game's saves do.
bool writeFileSafely(const std::string& path, const SaveFileWriter& writer) {
  kel::DesktopFileSystem files;
  return safeWriteFile(files, path, writer, true) == SafeWriteResult::Saved;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream read;
  read << in.rdbuf();
  bytes = read.str();
  return true;
}

bool copyFileSafely(const std::string& from, const std::string& target) {
  std::string bytes;
  if (!readWholeFile(from, bytes)) return false;
  return writeFileSafely(target, [&bytes](kel::FileHandle& file) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) == bytes.size();
  });
}

// Each cell's record is made where it is hashed: no packed copy of the map, and the same value as
// hashing the cell body of the world file.
uint64_t cellsChecksum(const WorldMap& map) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const MapBlock& cell : std::span<const MapBlock>(map.cells(), map.cellCount())) {
    for (uint8_t byte : packMapBlock(cell)) hash = (hash ^ byte) * 0x100000001B3ull;
  }
  return hash;
}

bool saveGeneratedWorld(const std::string& path, const GeneratedWorld& generated, std::FILE* out, std::FILE* err) {
  World& world = *generated.world;
  WorldEntry entry;
  entry.fileName = baseName(path);
  entry.displayName = engine::stripExtension(entry.fileName);
  entry.time = std::time(nullptr);
  entry.params = world.map().params();
  entry.saveId = makeRandomSaveId();
  const PlayerCells player{generated.spawn.column, generated.spawn.row, generated.spawn.column, generated.spawn.row};
  const bool written = writeFileSafely(path, [&](kel::FileHandle& file) {
    return writeWorldFile(file, entry, world, player, worldSaveLinks());
  });
  if (!written) {
    std::fprintf(err, "world_tool: cannot write %s\n", path.c_str());
    return false;
  }
  std::fprintf(out, "world file: %s (cells checksum %016llx)\n", path.c_str(),
               static_cast<unsigned long long>(cellsChecksum(world.map())));
  return true;
}

int runCharacter(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  PlayerEntry entry(engine::withExtension(args.name, "dat"), args.name, 1);
  entry.saveId = makeRandomSaveId();
  const CharacterRecord record = newCharacterRecord(entry);
  if (!writeFileSafely(args.outPath, [&record](kel::FileHandle& file) { return writeCharacterFile(file, record); })) {
    std::fprintf(err, "world_tool: cannot write %s\n", args.outPath.c_str());
    return 1;
  }
  std::fprintf(out, "character file: %s\n", args.outPath.c_str());
  return 0;
}

int runLoad(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  std::string error;
  if (!loadContent(defaultDataFile(), error)) {
    std::fprintf(err, "world_tool: %s\n", error.c_str());
    return 1;
  }
  kel::FileHandle file(args.inputPath, kel::FileHandle::READ);
  if (!file.isOpen()) return damaged(err, args.inputPath, "cannot open");
  DataStreamReader in(file);
  if (in.failed()) return damaged(err, args.inputPath, "not a save file, or its header or directory is damaged");
  file.close();
  if (in.is("RBWC", 0)) return loadCharacter(args.inputPath, out, err);
  if (in.is(world_file::kMagic, world_file::kAdventureVersion)) return loadAdventure(args.inputPath, out, err);
  if (in.is(world_file::kMagic, world_file::kWorldVersion)) return loadWorld(args, out, err);
  return damaged(err, args.inputPath, "not a world, adventure or character file");
}

}  // namespace world_tool
