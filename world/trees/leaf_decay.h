#pragma once
// The leaf registry and leaf decay. When a block that supports leaves goes, every leaf within
// three cells of it is registered; the rules' random tick then takes one registered leaf at a
// time: a leaf with no supporting block left within three cells is removed (an edit through the
// rules, no drops), and either way it leaves the registry. An entry is a block-word reference
// (cell and layer), so a leaf replaced meanwhile by something else is simply dropped.
// Main thread only.

#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

class LogicCells;
class MapBlock;
class WorldMap;

class LeafDecay {
 public:
  static constexpr int kReach = 3;  // the 7 x 7 square around a cell

  explicit LeafDecay(WorldMap& map) : map_(map) {}

  // `registerLeavesAround`: every cell of the square around the cell (itself excluded, rows
  // inside the map) whose front block is a leaf.
  void registerAround(const MapBlock& cell);
  // `decayRandomLeaf`: one entry drawn uniformly; nothing with an empty registry.
  void decayRandomLeaf(LogicCells& rules);

  size_t size() const { return entries_.size(); }
  // The registered block words as (cell, layer), in registry order; and one brought back.
  std::vector<std::pair<const MapBlock*, uint8_t>> entries() const;
  void restore(const MapBlock& cell, uint8_t layer) { entries_.insert(keyOf(cell, layer)); }
  bool contains(const MapBlock& cell, uint8_t layer) const;
  void clear() { entries_.clear(); }

 private:
  size_t keyOf(const MapBlock& cell, uint8_t layer) const;
  bool hasSupportNear(const MapBlock& cell) const;

  WorldMap& map_;
  std::set<size_t> entries_;  // cell index x 2 + layer
};
