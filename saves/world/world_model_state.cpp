#include "saves/world/world_model_state.h"

#include "saves/world/section_io.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_system.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

MapBlock& cellOf(World& world, CellPos pos) { return world.map().cell(pos.x, pos.y); }

uint32_t memoryWord(const CircuitRecord& record) {
  return static_cast<uint32_t>(record.tag) | static_cast<uint32_t>(record.reserved) << 8 |
         static_cast<uint32_t>(record.value) << 16;
}

CircuitRecord memoryRecord(const CircuitMemoryRecord& stored) {
  CircuitRecord record;
  record.tag = static_cast<uint8_t>(stored.word);
  record.reserved = static_cast<uint8_t>(stored.word >> 8);
  record.value = static_cast<uint16_t>(stored.word >> 16);
  record.second = stored.second;
  return record;
}

CircuitChange restoredChange(World& world, const CircuitChangeRecord& stored) {
  MapBlock& cell = cellOf(world, stored.cell);
  CircuitChange change{stored.operation, &cell, 0};
  if (stored.operation == circuit_op::kPartPlaced) change.value = circuitKind(cell);
  if (stored.operation == circuit_op::kSetSignal) change.operation = circuit_op::kEvaluate;
  return change;
}

}  // namespace

CircuitState captureCircuits(World& world) {
  CircuitSystem& circuits = world.circuits();
  CircuitState state;
  for (const MapBlock* cell : circuits.dirtyCells()) state.dirty.push_back(cellPosOf(*cell));
  for (const CircuitChange& change : circuits.pendingChanges()) {
    state.changes.push_back({cellPosOf(*change.cell), change.operation});
  }
  for (const CircuitTimer& timer : circuits.timers()) {
    state.timers.push_back({cellPosOf(*timer.cell), timer.countdown, timer.period});
  }
  for (const auto& [cell, record] : circuits.deviceMemory()) {
    state.memory.push_back({cellPosOf(*cell), memoryWord(record), record.second});
  }
  return state;
}

void restoreCircuits(World& world, const CircuitState& state) {
  std::vector<MapBlock*> dirty;
  for (CellPos pos : state.dirty) dirty.push_back(&cellOf(world, pos));
  std::vector<CircuitChange> changes;
  for (const CircuitChangeRecord& change : state.changes) changes.push_back(restoredChange(world, change));
  std::vector<CircuitTimer> timers;
  for (const CircuitTimerRecord& timer : state.timers) {
    timers.push_back({&cellOf(world, timer.cell), timer.countdown, timer.period});
  }
  std::unordered_map<MapBlock*, CircuitRecord> memory;
  for (const CircuitMemoryRecord& record : state.memory) {
    memory[&cellOf(world, record.cell)] = memoryRecord(record);
  }
  world.circuits().restore(dirty, changes, timers, memory);
}

std::vector<size_t> waitingChargeCells(World& world) {
  std::vector<size_t> cells;
  for (const PendingExplosion& explosion : world.explosions().pending()) {
    if (explosion.cell != nullptr) cells.push_back(world.map().indexOf(*explosion.cell));
  }
  return cells;
}
