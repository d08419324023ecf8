#include "saves/world/state_sections.h"

#include "content/format/content_format.h"
#include "content/tables/content_tables.h"
#include "content/tables/plant_table.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "saves/world/section_io.h"
#include "saves/world/world_file_format.h"
#include "world/cells/map_block.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/protection/protected_areas.h"

namespace {

constexpr uint32_t kByteKind = 0;
constexpr uint32_t kProcessKind = 1;
constexpr uint32_t kWordKind = 2;
constexpr size_t kChangeBytes = 5;
constexpr size_t kTimerBytes = 8;
constexpr size_t kMemoryBytes = 10;

// A stored cell brought onto the map (the column wrapped); false when the row is outside it.
bool placeOnMap(WorldMap& map, CellPos& cell) {
  const MapBlock* found = cellOfRecord(map, cell.x, cell.y);
  if (found == nullptr) return false;
  cell = cellPosOf(*found);
  return true;
}

void writeProcess(engine::ByteWriter& out, const ProcessRecord& process) {
  out.u8(process.row);
  out.u8(process.currentStep);
  out.u8(static_cast<uint8_t>(process.steps.size()));
  for (uint8_t value : process.state) out.u8(value);
  out.u16(process.first);
  out.u16(process.second);
  for (const ProcessStepRecord& step : process.steps) {
    for (uint8_t value : step.values) out.u8(value);
    out.u16(step.first);
    out.u16(step.second);
  }
}

ProcessRecord readProcess(engine::ByteReader& in) {
  ProcessRecord process;
  process.row = in.u8();
  process.currentStep = in.u8();
  const uint8_t steps = in.u8();
  for (uint8_t& value : process.state) value = in.u8();
  process.first = in.u16();
  process.second = in.u16();
  if (steps > in.remaining() / world_file::kProcessStepBytes) {
    in.fail();
    return process;
  }
  process.steps.resize(steps);
  for (ProcessStepRecord& step : process.steps) {
    for (uint8_t& value : step.values) value = in.u8();
    step.first = in.u16();
    step.second = in.u16();
  }
  return process;
}

}  // namespace

bool isSavedMobGroup(uint8_t group) { return group == 0 || group == 2 || group == 3; }

// ---- Plants ----

void writePlants(engine::ByteWriter& out, const std::vector<PlantRecord>& plants) {
  out.u32(static_cast<uint32_t>(plants.size()));
  for (const PlantRecord& plant : plants) {
    out.u32(plant.value);
    writeCellPos(out, plant.cell);
    out.u32(plant.kind);
    if (plant.kind == kByteKind) {
      out.u8(static_cast<uint8_t>(plant.extra));
      out.zeros(3);
    } else {
      out.u32(plant.kind == kWordKind ? plant.extra : 0);
    }
    if (plant.kind == kProcessKind && plant.process) writeProcess(out, *plant.process);
  }
}

std::vector<PlantRecord> readPlants(engine::ByteReader& in, WorldMap& map) {
  const uint32_t count = readCount(in, world_file::kPlantHeadBytes);
  std::vector<PlantRecord> plants;
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    PlantRecord plant;
    plant.value = in.u32();
    plant.cell = readCellPos(in);
    plant.kind = in.u32();
    plant.extra = plant.kind == kByteKind ? in.u8() : in.u32();
    if (plant.kind == kByteKind) in.skip(3);
    if (plant.kind == kProcessKind) {
      plant.process = readProcess(in);
      plant.extra = 0;
      if (plant.process->row >= content::kProcessSpecCount) continue;
    } else if (plant.kind != kWordKind && plant.kind != kByteKind) {
      continue;  // a kind this file cannot hold: only its head was written
    }
    if (in.ok() && placeOnMap(map, plant.cell)) plants.push_back(std::move(plant));
  }
  return plants;
}

void writeCellList(engine::ByteWriter& out, const std::vector<CellPos>& cells) {
  out.u32(static_cast<uint32_t>(cells.size()));
  for (CellPos cell : cells) writeCellPos(out, cell);
}

std::vector<CellPos> readCellList(engine::ByteReader& in, WorldMap& map) {
  const uint32_t count = readCount(in, world_file::kCellPosBytes);
  std::vector<CellPos> cells;
  cells.reserve(count);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    CellPos cell = readCellPos(in);
    if (placeOnMap(map, cell)) cells.push_back(cell);
  }
  return cells;
}

std::vector<CellPos> onlyPlantCells(WorldMap& map, std::vector<CellPos> cells) {
  std::erase_if(cells, [&](CellPos cell) {
    return plantRowForBlock(map.cell(cell.x, cell.y).frontId()) == nullptr;
  });
  return cells;
}

// ---- Protected areas ----

void writeAreas(engine::ByteWriter& out, const ProtectedAreas& areas) {
  out.u32(static_cast<uint32_t>(areas.areas().size()));
  for (const ProtectedArea& area : areas.areas()) {
    out.u16(area.centreX);
    out.u16(area.centreY);
    out.u8(area.size);
  }
}

void readAreas(engine::ByteReader& in, WorldMap& map, ProtectedAreas& areas) {
  const uint32_t count = readCount(in, world_file::kAreaBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    const CellPos centre = readCellPos(in);
    const uint8_t size = in.u8();
    const MapBlock* cell = cellOfRecord(map, centre.x, centre.y);
    if (in.ok() && cell != nullptr) areas.add(*cell, size);
  }
}

// ---- Liquids ----

void writeLiquids(engine::ByteWriter& out, WorldMap& map) {
  LiquidSimulator& liquids = map.liquids();
  for (const std::vector<uint32_t>& list : {liquids.nextCells(), liquids.pendingCells()}) {
    out.u32(static_cast<uint32_t>(list.size()));
    for (uint32_t index : list) writeCellPos(out, cellPosOf(map.cells()[index]));
  }
}

void readLiquids(engine::ByteReader& in, WorldMap& map) {
  std::vector<uint32_t> cells;
  for (int list = 0; list < 2 && in.ok(); ++list) {
    for (CellPos cell : readCellList(in, map)) {
      cells.push_back(static_cast<uint32_t>(map.index(cell.x, cell.y)));
    }
  }
  if (in.ok()) map.liquids().restorePending(cells);
}

// ---- Circuits ----

void writeCircuits(engine::ByteWriter& out, const CircuitState& state) {
  writeCellList(out, state.dirty);
  out.u32(static_cast<uint32_t>(state.changes.size()));
  for (const CircuitChangeRecord& change : state.changes) {
    writeCellPos(out, change.cell);
    out.u8(change.operation);
  }
  out.u32(static_cast<uint32_t>(state.timers.size()));
  for (const CircuitTimerRecord& timer : state.timers) {
    writeCellPos(out, timer.cell);
    out.u16(timer.period);
    out.u16(timer.countdown);
  }
  out.u32(static_cast<uint32_t>(state.memory.size()));
  for (const CircuitMemoryRecord& record : state.memory) {
    writeCellPos(out, record.cell);
    out.u32(record.word);
    out.u16(record.second);
  }
}

CircuitState readCircuits(engine::ByteReader& in, WorldMap& map) {
  CircuitState state;
  state.dirty = readCellList(in, map);
  const uint32_t changes = readCount(in, kChangeBytes);
  for (uint32_t i = 0; i < changes && in.ok(); ++i) {
    CircuitChangeRecord change{readCellPos(in), in.u8()};
    if (placeOnMap(map, change.cell)) state.changes.push_back(change);
  }
  const uint32_t timers = readCount(in, kTimerBytes);
  for (uint32_t i = 0; i < timers && in.ok(); ++i) {
    CircuitTimerRecord timer;
    timer.cell = readCellPos(in);
    timer.period = in.u16();
    timer.countdown = in.u16();
    if (placeOnMap(map, timer.cell)) state.timers.push_back(timer);
  }
  const uint32_t memory = readCount(in, kMemoryBytes);
  for (uint32_t i = 0; i < memory && in.ok(); ++i) {
    CircuitMemoryRecord record{readCellPos(in), in.u32(), in.u16()};
    if (placeOnMap(map, record.cell)) state.memory.push_back(record);
  }
  return state;
}

// ---- Mobs ----

void writeMobs(engine::ByteWriter& out, const std::vector<SavedMob>& mobs) {
  const auto saved = std::count_if(mobs.begin(), mobs.end(),
                                   [](const SavedMob& mob) { return isSavedMobGroup(mob.group); });
  out.u32(static_cast<uint32_t>(saved));
  for (const SavedMob& mob : mobs) {
    if (!isSavedMobGroup(mob.group)) continue;
    writeCellPos(out, mob.cell);
    out.u8(mob.group);
    out.u16(mob.mobId);
  }
}

std::vector<SavedMob> readMobs(engine::ByteReader& in, WorldMap& map) {
  const uint32_t count = readCount(in, world_file::kMobBytes);
  std::vector<SavedMob> mobs;
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    SavedMob mob;
    mob.cell = readCellPos(in);
    mob.group = in.u8();
    mob.mobId = in.u16();
    if (!isSavedMobGroup(mob.group) || mob.mobId >= contentTables().mobCount) continue;
    if (in.ok() && placeOnMap(map, mob.cell)) mobs.push_back(mob);
  }
  return mobs;
}
