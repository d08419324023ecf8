#pragma once
// The pets' path finder, one per world: an A* search over map cells whose moves are walks,
// step-ups, gap jumps, drops, climbs and drops through a platform (the step kinds below), every
// move costing 1 and the estimate being the cell distance with columns taken the near way round.
//
// A search visits at most 256 nodes. The nodes live in fixed storage that never moves, so a
// node's parent stays valid for the whole search; at the limit the search stops adding nodes and
// fails like one that finds no path. The finder keeps its storage between searches: after the
// first, a search allocates nothing.
//
// Main thread only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class MapBlock;
class WorldMap;

namespace step_kind {
constexpr uint8_t kLeft = 1, kRight = 2, kClimb = 3, kDropThrough = 4, kUpRight = 5, kUpLeft = 6;
constexpr uint8_t kDropRight = 7, kDropLeft = 8, kGapLeft = 9, kGapRight = 10, kNothing = 11;
constexpr uint8_t kGapDownLeft = 12, kGapDownRight = 13, kGapUpLeft = 14, kGapUpRight = 15;
}  // namespace step_kind

struct PathStep {
  MapBlock* cell = nullptr;
  uint8_t kind = 0;
};

class CellPathFinder {
 public:
  static constexpr size_t kNodeLimit = 256;
  static constexpr size_t kMostSteps = 14;

  CellPathFinder();

  void setMap(WorldMap* map) { map_ = map; }
  WorldMap* map() const { return map_; }

  // Searches from `start` to `goal`; true with `path()` holding the steps after the start (empty
  // when they are the same cell).
  bool findPath(MapBlock& start, MapBlock& goal);
  const std::vector<PathStep>& path() const { return path_; }
  // The moves from a cell, in test order; the first kind to reach a cell keeps it.
  void neighbourSteps(const MapBlock& cell, std::vector<PathStep>& out) const;
  // How many nodes the last search made.
  size_t nodesUsed() const { return used_; }

 private:
  struct Node {
    uint8_t kind = 0;
    MapBlock* cell = nullptr;
    Node* parent = nullptr;
    uint16_t f = 0;
    uint16_t g = 0;
  };

  void reset();
  Node* newNode(uint8_t kind, MapBlock* cell, Node* parent, uint16_t g);
  Node* expand();
  uint16_t estimate(const MapBlock& cell) const;
  bool isClosed(const MapBlock* cell) const;
  void buildPath(const Node& goal);

  WorldMap* map_ = nullptr;
  MapBlock* goal_ = nullptr;
  std::array<Node, kNodeLimit> pool_{};
  size_t used_ = 0;
  std::vector<Node*> open_;
  std::vector<const MapBlock*> closed_;
  std::vector<PathStep> steps_;
  std::vector<PathStep> path_;
};
