#include "view/tiles/cave_backdrop.h"

#include "world/map/world_map.h"

namespace {

// How far to each side ground standing at a cell's height keeps the wall behind it: a shaft a
// player digs is one or two columns wide, while a wider pit or crater is open air with the sky
// behind it, and a wall there would hang in the air.
constexpr int kSideReach = 2;
// The rows of a dip that nothing covers: no deeper than this under the ground beside it, it shows
// the sky.
constexpr int kOpenDip = 3;

// Ground stands at row y in column x: the column's top height lies above the row.
bool groundAt(const WorldMap& map, int x, int y) { return static_cast<int>(map.topHeight(x)) > y; }

bool groundOnSide(const WorldMap& map, int x, int y, int step) {
  for (int k = 1; k <= kSideReach; ++k) {
    if (groundAt(map, x + step * k, y)) return true;
  }
  return false;
}

}  // namespace

bool showsCaveWall(const WorldMap& map, const MapBlock& cell) {
  if (!map.hasSurfaceLine()) return false;
  const int x = static_cast<int>(cell.x), y = static_cast<int>(cell.y);
  const int surface = static_cast<int>(map.surfaceLine(x));
  if (y >= surface) return false;
  if (groundAt(map, x, y)) return true;
  // Open above: a wall only where the ground beside rises more than a dip's depth over the cell.
  return groundOnSide(map, x, y + kOpenDip, -1) && groundOnSide(map, x, y + kOpenDip, 1);
}
