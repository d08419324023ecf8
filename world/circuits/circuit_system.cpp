#include "world/circuits/circuit_system.h"

#include <algorithm>

#include "world/circuits/circuit_cells.h"
#include "world/map/world_map.h"
#include "world/world.h"

CircuitSystem::CircuitSystem(World& world) : world_(world) {}

size_t CircuitSystem::indexOf(const MapBlock& cell) const { return world_.map().indexOf(cell); }

void CircuitSystem::registerCell(MapBlock& cell, uint8_t kind) {
  setSignalByte(cell, circuit_signal::kNone);
  setCircuitKind(cell, kind);
}

void CircuitSystem::forgetCell(MapBlock& cell) {
  cell.circuitA = 0;
  cell.circuitB = 0;
  const size_t index = indexOf(cell);
  settings_.erase(index);
  std::lock_guard<std::mutex> lock(changeMutex_);
  std::erase_if(changes_, [&](const CircuitChange& c) { return c.cellIndex == index; });
}

void CircuitSystem::queueChange(MapBlock& cell, uint8_t operation, uint32_t value) {
  std::lock_guard<std::mutex> lock(changeMutex_);
  changes_.push_back({operation, indexOf(cell), value});
}

void CircuitSystem::setCellSetting(MapBlock& cell, const CircuitSetting& setting) {
  settings_[indexOf(cell)] = setting;
}

const CircuitSetting* CircuitSystem::settingAt(const MapBlock& cell) const {
  auto found = settings_.find(indexOf(cell));
  return found == settings_.end() ? nullptr : &found->second;
}

std::vector<CircuitChange> CircuitSystem::pendingChanges() const {
  std::lock_guard<std::mutex> lock(changeMutex_);
  return changes_;
}
