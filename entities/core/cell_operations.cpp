#include "entities/core/cell_operations.h"

#include <cmath>
#include <cstdlib>

#include "world/cells/cell_sides.h"
#include "world/map/world_map.h"

namespace {

int sign(int32_t v) { return (v > 0) - (v < 0); }

bool passable(const WorldMap& map, const MapBlock& cell) { return !isImpassable(&cell, map.props()); }

}  // namespace

int32_t wrappedColumnDelta(const WorldMap& map, int32_t a, int32_t b) {
  const int32_t width = map.width();
  int32_t dx = b - a;
  if (dx > width / 2) {
    dx -= width;
  } else if (dx < -(width / 2)) {
    dx += width;
  }
  return dx;
}

float cellDistanceSquared(const WorldMap& map, const MapBlock& a, const MapBlock& b) {
  const auto dx = static_cast<float>(wrappedColumnDelta(map, a.x, b.x));
  const auto dy = static_cast<float>(a.y - b.y);
  return dx * dx + dy * dy;
}

bool blocksWithinRange(const WorldMap& map, const MapBlock& a, const MapBlock& b, int32_t n) {
  return std::abs(wrappedColumnDelta(map, a.x, b.x)) <= n && std::abs(a.y - b.y) <= n;
}

MapBlock* cellAt(WorldMap& map, int32_t x, int32_t y) { return map.cellAt(x, y); }

MapBlock* blockAtPoint(WorldMap& map, engine::Vec2 point) {
  if (!std::isfinite(point.x) || !std::isfinite(point.y)) return nullptr;
  const double column = std::floor((static_cast<double>(point.x) + 15.0) / 30.0);
  const double row = std::trunc((static_cast<double>(point.y) + 15.0) / 30.0);
  if (row < 0 || row >= map.height()) return nullptr;
  const double width = map.width();
  // fmod is exact at any magnitude; column - floor(column / width) * width is not far from zero.
  double wrapped = std::fmod(column, width);
  if (wrapped < 0) wrapped += width;
  if (!(wrapped >= 0 && wrapped < width)) return nullptr;
  return map.cellAt(static_cast<int32_t>(wrapped), static_cast<int32_t>(row));
}

bool blockHasFlagAt(WorldMap& map, int32_t x, int32_t y) {
  const MapBlock* cell = map.cellAt(x, y);
  return cell != nullptr && map.props()[cell->frontId()].fullyClear();
}

// Each step goes one cell toward a along x (the near way) or y; at most |dx| + |dy| steps deep.
bool lineOfCellsClear(WorldMap& map, const MapBlock& a, int32_t x, int32_t y) {
  x = map.wrapX(x);
  if (x == a.x && y == a.y) return true;
  const int sx = sign(wrappedColumnDelta(map, x, a.x));
  const int sy = sign(a.y - y);
  if (sx != 0) {
    const MapBlock* next = map.cellAt(x + sx, y);
    if (next != nullptr && passable(map, *next) && lineOfCellsClear(map, a, x + sx, y)) return true;
  }
  if (sy == 0) return false;
  const MapBlock* next = map.cellAt(x, y + sy);
  return next != nullptr && passable(map, *next) && lineOfCellsClear(map, a, x, y + sy);
}
