#include <cmath>
#include <vector>

#include "engine/io/byte_reader.h"
#include "platform/file_handle.h"
#include "saves/character/item_converter.h"
#include "saves/container/data_stream_reader.h"
#include "saves/world/block_entity_sections.h"
#include "saves/world/map_packing.h"
#include "saves/world/plant_records.h"
#include "saves/world/section_io.h"
#include "saves/world/state_sections.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"
#include "saves/world/world_model_state.h"
#include "world/light/light_map.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

using namespace world_file;

namespace {

// What is restored only once the whole file has read: a damaged file must not leave mobs behind
// in a world that is thrown away, nor plants registered on cells it never wrote.
struct LinkedParts {
  PlantRecords plants;
  std::vector<SavedMob> mobs;
};

// Runs the body reader over a plain section. Every world file holds each of them: one the file
// lacks is damage, and the file is not loaded (world_file_format.h). So is a section whose reader
// leaves bytes unread: its count was damaged to fewer records than it holds, and a world loaded
// from it would write only those at its next save.
template <typename Read>
void plainSection(DataStreamReader& in, Section id, Read read) {
  if (in.failed()) return;
  std::optional<std::vector<uint8_t>> body = readPlainSection(in, id);
  if (!body) in.fail();
  if (!body || in.failed()) return;
  engine::ByteReader reader(*body);
  read(reader);
  if (reader.failed() || reader.remaining() != 0) in.fail();
}

bool infoFitsWorld(const WorldInfo& info, const WorldMap& map) {
  return isLegalWorldSize(info.width, info.height) && info.width == map.width() &&
         info.height == map.height();
}

void readMapSections(DataStreamReader& in, WorldMap& map) {
  plainSection(in, kSurface, [&](engine::ByteReader& body) {
    if (body.size() < map.surfaceLines().size() * 2) body.fail();
    for (uint16_t& line : map.surfaceLines()) line = body.u16();
  });
  // The cells are the world: a file without them would load as an empty world, and its first save
  // would put that over the file and push the file into the backup. The same holds for every
  // section (plainSection).
  const SectionEntry* cells = in.openSection(kCells);
  if (cells == nullptr) in.fail();
  if (cells != nullptr && !in.failed()) {
    std::vector<uint8_t> packed(map.cellCount() * kPackedCellBytes);
    if (in.read(packed)) {
      if (cells->revision == 0) convertRetiredCells(packed);
      if (!unpackMapBlocks(packed, {map.cells(), map.cellCount()}, map.width(), map.height())) in.fail();
    }
  }
  // Written whenever the map keeps the bitmap, so a file without it then was damaged.
  ExploredBitmap* explored = map.explored();
  if (explored != nullptr && in.openSection(kExplored) == nullptr) in.fail();
  if (explored != nullptr && !in.failed()) {
    std::vector<uint8_t> bytes(4 * (explored->words().size() + explored->secondWords().size()));
    in.read(bytes);
    engine::ByteReader words(bytes);
    for (uint32_t& word : explored->words()) word = words.u32();
    for (uint32_t& word : explored->secondWords()) word = words.u32();
  }
}

bool isPhase(uint8_t phase) { return phase == 1 || phase == 2 || phase == 4 || phase == 8; }

void readClockAndWeather(DataStreamReader& in, World& world) {
  plainSection(in, kClock, [&](engine::ByteReader& body) {
    const uint32_t ticks = body.u32();
    const uint8_t phase = body.u8();
    body.skip(3);
    if (body.failed()) return;
    DayClock& clock = world.dayClock();
    clock.tickCounter = ticks;
    if (isPhase(phase)) clock.phase = static_cast<DayPhase>(phase);
    clock.running = 1;
    clock.updateDarkness();
  });
  plainSection(in, kWeather, [&](engine::ByteReader& body) {
    float accumulator = body.f32();
    const uint8_t kind = body.u8();
    const uint8_t ticks = body.u8();
    body.skip(2);
    if (body.failed()) return;
    if (!std::isfinite(accumulator)) accumulator = 0.0f;
    const WeatherKind restored = kind <= static_cast<uint8_t>(WeatherKind::AcidRain)
                                     ? static_cast<WeatherKind>(kind)
                                     : WeatherKind::None;
    world.weather().restore(world.map().params().planetId, restored, accumulator, ticks);
  });
}

void readBlockEntities(DataStreamReader& in, World& world, StableQueue& stables, ItemConverter convert) {
  plainSection(in, kChests, [&](engine::ByteReader& body) { readChests(body, world, convert); });
  plainSection(in, kForges, [&](engine::ByteReader& body) { readForges(body, world, convert); });
  plainSection(in, kSigns, [&](engine::ByteReader& body) { readSigns(body, world); });
  plainSection(in, kStables, [&](engine::ByteReader& body) { readStables(body, world, stables); });
  plainSection(in, kLabs, [&](engine::ByteReader& body) { readAlchemyLabs(body, world, convert); });
  plainSection(in, kShelves, [&](engine::ByteReader& body) { readShelves(body, world, convert); });
}

LinkedParts readStateSections(DataStreamReader& in, World& world) {
  WorldMap& map = world.map();
  LinkedParts parts;
  plainSection(in, kPlants, [&](engine::ByteReader& body) { parts.plants.entries = readPlants(body, map); });
  plainSection(in, kPlantCells, [&](engine::ByteReader& body) {
    parts.plants.plantCells = onlyPlantCells(map, readCellList(body, map));
  });
  plainSection(in, kSecondPlantCells,
               [&](engine::ByteReader& body) { parts.plants.secondCells = readCellList(body, map); });
  plainSection(in, kAreas, [&](engine::ByteReader& body) { readAreas(body, map, world.protectedAreas()); });
  plainSection(in, kLiquids, [&](engine::ByteReader& body) { readLiquids(body, map); });
  plainSection(in, kCircuits, [&](engine::ByteReader& body) {
    const CircuitState state = readCircuits(body, map);
    if (body.ok()) restoreCircuits(world, state);
  });
  plainSection(in, kMobs, [&](engine::ByteReader& body) { parts.mobs = readMobs(body, map); });
  return parts;
}

void restoreLinkedParts(World& world, WorldSaveLinks& links, LinkedParts&& parts) {
  restorePlantRecords(world, parts.plants);
  for (const SavedMob& mob : parts.mobs) links.spawnSavedMob(world, mob);
  links.mobsRestored(world);
}

// What reading every section leaves to be done once the file is known whole.
struct SectionsRead {
  PlayerCells player;
  ItemConverter convert = nullptr;
  StableQueue stables;
  LinkedParts parts;
};

// Reads every section into the world; false for a file that must not be played.
bool readSections(kel::FileHandle& file, World& world, SectionsRead& read) {
  DataStreamReader in(file);
  WorldInfo info;
  if (!in.is(kMagic, kWorldVersion) || !readWorldInfo(in, info) || !infoFitsWorld(info, world.map())) {
    file.close();
    return false;
  }
  read.player = info.player;
  readMapSections(in, world.map());
  readClockAndWeather(in, world);
  // Stables are read with the other block entities but made only once the file is known whole.
  read.convert = itemConverterForBuild(info.build);
  readBlockEntities(in, world, read.stables, read.convert);
  read.parts = readStateSections(in, world);
  file.close();
  return !in.failed();
}

}  // namespace

bool readWorldFile(kel::FileHandle& file, World& world, WorldSaveLinks& links, PlayerCells* player) {
  SectionsRead read;
  if (!readSections(file, world, read)) return false;
  if (player != nullptr) *player = read.player;
  read.stables.restore(world, links, read.convert);
  restoreLinkedParts(world, links, std::move(read.parts));
  // Lit as generation lights a world, and its surface found while the world is still the reader's:
  // entering it then finds both made.
  world.map().lightMap().relightAllWithShadows();
  world.map().computeSurfaceHeights();
  return true;
}

bool worldFileReadsWhole(kel::FileHandle& file, World& world) {
  SectionsRead read;
  return readSections(file, world, read);
}
