#pragma once
// Leaves left without a trunk: when a block that supports leaves goes, the leaf cells around it
// wait here for the decay step of the tree rules. Main thread only.

#include <cstddef>
#include <vector>

class MapBlock;
class WorldMap;

class LeafDecay {
 public:
  static constexpr int kReach = 2;  // cells around the removed support that are looked at

  explicit LeafDecay(WorldMap& map) : map_(map) {}

  // Queues every leaf cell (front block with the leaves flag) within kReach of the cell.
  void registerAround(const MapBlock& cell);
  const std::vector<size_t>& pending() const { return pending_; }

 private:
  WorldMap& map_;
  std::vector<size_t> pending_;
};
