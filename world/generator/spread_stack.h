#pragma once
// The depth-first walk of the spreading floods (cave dressing, biomes): the four side neighbours in
// the order (+1, 0), (0, +1), (-1, 0), (0, -1), each visited completely before the next one is
// looked at, exactly as a recursive walk would, but on an explicit stack so a flood over a whole
// map cannot overflow the thread's stack. Columns wrap; rows outside the map are skipped.

#include <cstdint>
#include <vector>

#include "world/generator/neighbour_column.h"
#include "world/map/world_map.h"

struct SpreadFrame {
  int32_t x = 0;
  int32_t y = 0;
  float strength = 0;
  int next = 0;  // the neighbour to look at next, 0-3
};

// Walks from `start` (already visited by the caller, its column in 0..width-1). `visit(parent, x, y, strength)` decides a
// neighbour: it returns true to walk on from it, with `strength` set for it.
template <typename Visit>
void spreadDepthFirst(std::vector<SpreadFrame>& stack, const WorldMap& map, const SpreadFrame& start, Visit&& visit) {
  static constexpr int kSteps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  stack.clear();
  stack.push_back(start);
  while (!stack.empty()) {
    SpreadFrame& f = stack.back();
    if (f.next == 4) {
      stack.pop_back();
      continue;
    }
    const int d = f.next++;
    const int32_t ny = f.y + kSteps[d][1];
    if (ny < 0 || ny >= map.height()) continue;
    const SpreadFrame parent = f;
    SpreadFrame child{neighbourColumn(f.x + kSteps[d][0], map.width()), ny, 0.0f, 0};
    if (visit(parent, child.x, child.y, child.strength)) stack.push_back(child);
  }
}
