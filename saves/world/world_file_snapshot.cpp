#include "saves/world/world_file_snapshot.h"

#include <array>
#include <utility>

#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_writer.h"
#include "saves/store/world_entry.h"
#include "saves/world/block_entity_sections.h"
#include "saves/world/map_packing.h"
#include "saves/world/plant_records.h"
#include "saves/world/saved_cells_check.h"
#include "saves/world/state_sections.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"
#include "saves/world/world_model_state.h"
#include "world/explosions/explosion_system.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

using namespace world_file;

namespace {

// Collects the sections of one snapshot in the file's order.
class SectionList {
 public:
  explicit SectionList(std::vector<WorldFileSnapshot::Section>& sections) : sections_(sections) {
    sections_.clear();
  }

  void add(uint16_t id, uint8_t revision, SectionStorage storage, auto&& writeBody) {
    engine::ByteWriter body;
    writeBody(body);
    sections_.push_back({id, revision, storage, body.release()});
  }
  void plain(uint16_t id, auto&& writeBody) { add(id, 0, SectionStorage::Plain, writeBody); }

 private:
  std::vector<WorldFileSnapshot::Section>& sections_;
};

// The first lit charge among a waiting explosion's decorations (as the world has them, however
// many explosions wait at the cell) is kept as an unlit one.
void unlightWaitingCharges(std::vector<WorldFileSnapshot::CellPatch>& patches, World& world) {
  patches.clear();
  const MapBlock* live = world.map().cells();
  for (size_t index : waitingChargeCells(world)) {
    const std::array<MapDeco, 4>& decos = live[index].decos;
    for (size_t slot = 0; slot < decos.size(); ++slot) {
      if (map_deco::id(decos[slot]) != ExplosionSystem::kLitCharge) continue;
      MapBlock cell = live[index];
      cell.decos[slot] = static_cast<MapDeco>((decos[slot] & ~map_deco::kIdMask) | ExplosionSystem::kCharge);
      patches.push_back({index, cell});
      break;
    }
  }
}

// The kept copy brought level with the map: the chunks changed since the last save, and those of
// the cells that save patched. A copy the map's maker prepared takes the place of the kept one (of
// another world, or of none); the one it replaces is freed by the writer, off the main thread.
void takeCells(WorldFileSnapshot& snapshot, World& world) {
  WorldMap& map = world.map();
  if (std::unique_ptr<KeptCells> prepared = map.takePreparedCopy()) {
    snapshot.retired = std::exchange(snapshot.cells, std::move(prepared));
    snapshot.patches.clear();
  } else if (snapshot.cells->follows(map)) {
    for (const WorldFileSnapshot::CellPatch& patch : snapshot.patches) map.markChanged(patch.index);
  }
  snapshot.cells->levelWith(map);
  if (kCheckSavedCells) {
    const CellGrid& kept = snapshot.cells->cells();
    requireCopyLevelWithMap({kept.data(), kept.size()}, map);
  }
  unlightWaitingCharges(snapshot.patches, world);
}

void takeMapSections(SectionList& out, WorldFileSnapshot& snapshot, World& world) {
  WorldMap& map = world.map();
  out.plain(kSurface, [&](engine::ByteWriter& body) {
    for (uint16_t line : map.surfaceLines()) body.u16(line);
  });
  takeCells(snapshot, world);
  out.add(kCells, kCellsRevision, SectionStorage::Gzip, [](engine::ByteWriter&) {});

  if (const ExploredBitmap* explored = map.explored()) {
    out.add(kExplored, 0, SectionStorage::Gzip, [&](engine::ByteWriter& body) {
      body.reserve(4 * (explored->words().size() + explored->secondWords().size()));
      body.u32s(explored->words());
      body.u32s(explored->secondWords());
    });
  }
}

void takeClockAndWeather(SectionList& out, World& world) {
  out.plain(kClock, [&](engine::ByteWriter& body) {
    body.u32(world.dayClock().tickCounter);
    body.u8(static_cast<uint8_t>(world.dayClock().phase));
    body.zeros(3);
  });
  out.plain(kWeather, [&](engine::ByteWriter& body) {
    const WeatherState& weather = world.weather();
    body.f32(weather.accumulator);
    body.u8(static_cast<uint8_t>(weather.kind));
    body.u8(static_cast<uint8_t>(weather.ticksSinceChange));
    body.zeros(2);
  });
}

void takeBlockEntitySections(SectionList& out, World& world, const WorldSaveLinks& links) {
  out.plain(kChests, [&](engine::ByteWriter& body) { writeChests(body, world); });
  out.plain(kForges, [&](engine::ByteWriter& body) { writeForges(body, world); });
  out.plain(kSigns, [&](engine::ByteWriter& body) { writeSigns(body, world); });
  out.plain(kStables, [&](engine::ByteWriter& body) { writeStables(body, world, links); });
  out.plain(kLabs, [&](engine::ByteWriter& body) { writeAlchemyLabs(body, world); });
  out.plain(kShelves, [&](engine::ByteWriter& body) { writeShelves(body, world); });
}

void takeStateSections(SectionList& out, World& world, const WorldSaveLinks& links) {
  const PlantRecords plants = plantRecordsOf(world);
  out.plain(kPlants, [&](engine::ByteWriter& body) { writePlants(body, plants.entries); });
  out.plain(kPlantCells, [&](engine::ByteWriter& body) { writeCellList(body, plants.plantCells); });
  out.plain(kSecondPlantCells, [&](engine::ByteWriter& body) { writeCellList(body, plants.secondCells); });
  out.plain(kAreas, [&](engine::ByteWriter& body) { writeAreas(body, world.protectedAreas()); });
  out.plain(kLiquids, [&](engine::ByteWriter& body) { writeLiquids(body, world.map()); });
  out.plain(kCircuits, [&](engine::ByteWriter& body) { writeCircuits(body, captureCircuits(world)); });
  out.plain(kMobs, [&](engine::ByteWriter& body) { writeMobs(body, links.savedMobs(world)); });
}

}  // namespace

void takeWorldFileSnapshot(WorldFileSnapshot& snapshot, const WorldEntry& entry, World& world,
                           const PlayerCells& player, const WorldSaveLinks& links) {
  SectionList out(snapshot.sections);
  const WorldMap& map = world.map();
  const WorldInfo info = worldInfoOf(entry, static_cast<uint16_t>(map.width()),
                                     static_cast<uint16_t>(map.height()), player);
  out.plain(kInfo, [&](engine::ByteWriter& body) { writeWorldInfo(body, info); });
  takeMapSections(out, snapshot, world);
  takeClockAndWeather(out, world);
  takeBlockEntitySections(out, world, links);
  takeStateSections(out, world, links);
}

bool writeWorldFileSnapshot(kel::FileHandle& file, WorldFileSnapshot& snapshot) {
  snapshot.retired.reset();
  CellGrid& kept = snapshot.cells->cells();
  for (const WorldFileSnapshot::CellPatch& patch : snapshot.patches) kept[patch.index] = patch.cell;
  DataStreamWriter out(file, kMagic, kWorldVersion, kWorldSectionCount);
  for (const WorldFileSnapshot::Section& section : snapshot.sections) {
    const bool cells = section.id == kCells;
    out.openSection(section.id, section.revision, section.storage,
                    cells ? kept.size() * kPackedCellBytes : section.body.size());
    if (cells) {
      packMapBlocks(out.body(), {kept.data(), kept.size()});
    } else {
      out.body().bytes(section.body);
    }
    out.closeSection();
  }
  return out.finish();
}
