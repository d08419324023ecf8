#include <array>

#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_writer.h"
#include "saves/store/world_entry.h"
#include "saves/world/block_entity_sections.h"
#include "saves/world/map_packing.h"
#include "saves/world/plant_records.h"
#include "saves/world/state_sections.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"
#include "saves/world/world_model_state.h"
#include "world/cells/map_block.h"
#include "world/explosions/explosion_system.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

using namespace world_file;

namespace {

void plainSection(DataStreamWriter& out, Section id, auto&& writeBody) {
  out.openSection(id, 0, SectionStorage::Plain);
  writeBody(out.body());
  out.closeSection();
}

// The first lit charge among a waiting explosion's decorations is kept as an unlit one. `start`
// is where the packed cells begin in `packed`.
void unlightWaitingCharges(engine::ByteWriter& packed, size_t start, World& world) {
  constexpr size_t kDecoOffset = 4;
  const MapBlock* cells = world.map().cells();
  for (size_t index : waitingChargeCells(world)) {
    const std::array<MapDeco, 4>& decos = cells[index].decos;
    for (size_t slot = 0; slot < decos.size(); ++slot) {
      if (map_deco::id(decos[slot]) != ExplosionSystem::kLitCharge) continue;
      std::array<MapDeco, 4> saved = decos;
      saved[slot] = static_cast<MapDeco>((saved[slot] & ~map_deco::kIdMask) | ExplosionSystem::kCharge);
      // The slot and its neighbour of the same pair, written as one little-endian word.
      const size_t pair = slot & ~size_t{1};
      const size_t at = start + index * kPackedCellBytes + kDecoOffset + 2 * pair;
      packed.patchU32(at, static_cast<uint32_t>(saved[pair]) | static_cast<uint32_t>(saved[pair + 1]) << 16);
      break;
    }
  }
}

void writeMapSections(DataStreamWriter& out, World& world) {
  WorldMap& map = world.map();
  plainSection(out, kSurface, [&](engine::ByteWriter& body) {
    for (uint16_t line : map.surfaceLines()) body.u16(line);
  });

  // Packed straight into the section's buffer, which is reserved for all of it.
  out.openSection(kCells, kCellsRevision, SectionStorage::Gzip, map.cellCount() * kPackedCellBytes);
  const size_t start = out.body().size();
  packMapBlocks(out.body(), {map.cells(), map.cellCount()});
  unlightWaitingCharges(out.body(), start, world);
  out.closeSection();

  if (const ExploredBitmap* explored = map.explored()) {
    out.openSection(kExplored, 0, SectionStorage::Gzip,
                    4 * (explored->words().size() + explored->secondWords().size()));
    for (uint32_t word : explored->words()) out.body().u32(word);
    for (uint32_t word : explored->secondWords()) out.body().u32(word);
    out.closeSection();
  }
}

void writeClockAndWeather(DataStreamWriter& out, World& world) {
  plainSection(out, kClock, [&](engine::ByteWriter& body) {
    body.u32(world.dayClock().tickCounter);
    body.u8(static_cast<uint8_t>(world.dayClock().phase));
    body.zeros(3);
  });
  plainSection(out, kWeather, [&](engine::ByteWriter& body) {
    const WeatherState& weather = world.weather();
    body.f32(weather.accumulator);
    body.u8(static_cast<uint8_t>(weather.kind));
    body.u8(static_cast<uint8_t>(weather.ticksSinceChange));
    body.zeros(2);
  });
}

void writeStateSections(DataStreamWriter& out, World& world, const WorldSaveLinks& links) {
  const PlantRecords plants = plantRecordsOf(world);
  plainSection(out, kPlants, [&](engine::ByteWriter& body) { writePlants(body, plants.entries); });
  plainSection(out, kPlantCells, [&](engine::ByteWriter& body) { writeCellList(body, plants.plantCells); });
  plainSection(out, kSecondPlantCells,
               [&](engine::ByteWriter& body) { writeCellList(body, plants.secondCells); });
  plainSection(out, kAreas, [&](engine::ByteWriter& body) { writeAreas(body, world.protectedAreas()); });
  plainSection(out, kLiquids, [&](engine::ByteWriter& body) { writeLiquids(body, world.map()); });
  plainSection(out, kCircuits, [&](engine::ByteWriter& body) { writeCircuits(body, captureCircuits(world)); });
  plainSection(out, kMobs, [&](engine::ByteWriter& body) { writeMobs(body, links.savedMobs(world)); });
}

}  // namespace

bool writeWorldFile(kel::FileHandle& file, const WorldEntry& entry, World& world,
                    const PlayerCells& player, const WorldSaveLinks& links) {
  DataStreamWriter out(file, kMagic, kWorldVersion, kWorldSectionCount);
  const WorldMap& map = world.map();
  const WorldInfo info = worldInfoOf(entry, static_cast<uint16_t>(map.width()),
                                     static_cast<uint16_t>(map.height()), player);
  plainSection(out, kInfo, [&](engine::ByteWriter& body) { writeWorldInfo(body, info); });
  writeMapSections(out, world);
  writeClockAndWeather(out, world);
  plainSection(out, kChests, [&](engine::ByteWriter& body) { writeChests(body, world); });
  plainSection(out, kForges, [&](engine::ByteWriter& body) { writeForges(body, world); });
  plainSection(out, kSigns, [&](engine::ByteWriter& body) { writeSigns(body, world); });
  plainSection(out, kStables, [&](engine::ByteWriter& body) { writeStables(body, world, links); });
  plainSection(out, kLabs, [&](engine::ByteWriter& body) { writeAlchemyLabs(body, world); });
  plainSection(out, kShelves, [&](engine::ByteWriter& body) { writeShelves(body, world); });
  writeStateSections(out, world, links);
  return out.finish();
}
