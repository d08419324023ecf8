#include "world/trees/leaf_decay.h"

#include "world/cells/block_flags.h"
#include "world/map/world_map.h"

void LeafDecay::registerAround(const MapBlock& cell) {
  for (int dx = -kReach; dx <= kReach; ++dx) {
    for (int dy = -kReach; dy <= kReach; ++dy) {
      const MapBlock* near = map_.cellAt(cell.x + dx, cell.y + dy);
      if (near == nullptr || !map_.props()[near->frontId()].has(block_flag::kLeaves)) continue;
      pending_.push_back(map_.indexOf(*near));
    }
  }
}
