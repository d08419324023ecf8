#include "world/liquid/liquid_simulator.h"

#include "world/cells/map_block.h"
#include "world/map/world_map.h"

LiquidSimulator::LiquidSimulator(WorldMap& map) : map_(map) {}
LiquidSimulator::~LiquidSimulator() = default;

void LiquidSimulator::queueCell(MapBlock& cell) {
  std::lock_guard<std::mutex> lock(pendingMutex_);
  pending_.insert(&cell);
}

void LiquidSimulator::wakeNeighbours(MapBlock& cell) {
  cell.flags &= static_cast<uint8_t>(~cell_flag::kLiquidSource);
  cell.liquid = 0;
  for (MapBlock* n : {cell.neighbourLeft(map_), cell.neighbourDown(map_), cell.neighbourRight(map_),
                      cell.neighbourUp(map_)}) {
    if (n != nullptr && (n->liquid & 0x3F) != 0 && !map_.props()[n->frontId()].opaque()) queueCell(*n);
  }
}

void LiquidSimulator::forgetCell(MapBlock& cell) {
  std::lock_guard<std::mutex> lock(pendingMutex_);
  pending_.erase(&cell);
}
