#include "net/players/motion_path.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/player/player_body.h"
#include "world/cells/cell_sides.h"
#include "world/map/world_map.h"

namespace motion_path {
namespace {

// A body standing flush against a wall or on a floor touches that cell's edge; a pixel in from
// each edge it is inside its own cells only.
constexpr float kInset = 1.0f;

struct CellSpan {
  int32_t left, right, bottom, top;  // columns unfolded, so that neighbours stay neighbours
  bool holds(int32_t x, int32_t y) const { return x >= left && x <= right && y >= bottom && y <= top; }
};

CellSpan cellsUnder(engine::Vec2 at, engine::Vec2 size) {
  return {pixelColumn(at.x - size.x / 2 + kInset, 0), pixelColumn(at.x + size.x / 2 - kInset, 0),
          pixelRow(at.y - size.y / 2 + kInset), pixelRow(at.y + size.y / 2 - kInset)};
}

// The rules of a body's own physics (cell_sides.h), with the cells it overlapped at the start
// let pass: it is already in them.
class Cells {
 public:
  Cells(const WorldMap& map, const CellSpan& start) : map_(map), props_(map.props()), start_(start) {}

  const MapBlock* at(int32_t x, int32_t y) const { return map_.cellAt(x, y); }
  bool standable(int32_t x, int32_t y) const {
    if (start_.holds(x, y)) return true;
    const MapBlock* cell = at(x, y);
    return cell != nullptr && !blocksEntryFromBelow(cell, props_);  // stops a body on every side
  }
  // One cell sideways (dx -1 or 1) or up or down (dy -1 or 1), as the body's collisions allow.
  bool passes(int32_t x, int32_t y, int dx, int dy) const {
    const int32_t nx = x + dx;
    const int32_t ny = y + dy;
    if (!standable(nx, ny)) return false;
    if (dy != 0 || start_.holds(nx, ny)) return true;  // a platform is dropped through or jumped through
    const MapBlock* from = at(x, y);
    const MapBlock* into = at(nx, ny);
    if (dx > 0) return !blocksExitRight(from, props_) && !blocksEntryFromLeft(into, props_);
    return !blocksExitLeft(from, props_) && !blocksEntryFromRight(into, props_);
  }

 private:
  const WorldMap& map_;
  const BlockPropsTable& props_;
  CellSpan start_;
};

bool placeIsFree(const Cells& cells, const CellSpan& place) {
  for (int32_t x = place.left; x <= place.right; ++x) {
    for (int32_t y = place.bottom; y <= place.top; ++y) {
      if (!cells.standable(x, y)) return false;
    }
  }
  return true;
}

// A walk over neighbouring cells inside the rectangle of both centre cells widened by the detour.
bool connected(const Cells& cells, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  const int32_t left = std::min(fromX, toX) - kDetourCells;
  const int32_t bottom = std::min(fromY, toY) - kDetourCells;
  const int32_t width = std::abs(toX - fromX) + 2 * kDetourCells + 1;
  const int32_t height = std::abs(toY - fromY) + 2 * kDetourCells + 1;
  std::vector<uint8_t> seen(static_cast<size_t>(width * height), 0);
  const auto index = [&](int32_t x, int32_t y) { return static_cast<size_t>((x - left) + (y - bottom) * width); };
  std::vector<std::array<int32_t, 2>> open{{fromX, fromY}};
  seen[index(fromX, fromY)] = 1;
  constexpr std::array<std::array<int, 2>, 4> kSteps{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
  while (!open.empty()) {
    const auto [x, y] = open.back();
    open.pop_back();
    if (x == toX && y == toY) return true;
    for (const auto& [dx, dy] : kSteps) {
      const int32_t nx = x + dx;
      const int32_t ny = y + dy;
      if (nx < left || ny < bottom || nx >= left + width || ny >= bottom + height) continue;
      if (seen[index(nx, ny)] != 0 || !cells.passes(x, y, dx, dy)) continue;
      seen[index(nx, ny)] = 1;
      open.push_back({nx, ny});
    }
  }
  return false;
}

}  // namespace

bool bodyMayReach(const WorldMap& map, engine::Vec2 from, engine::Vec2 to, engine::Vec2 size) {
  const int32_t fromX = pixelColumn(from.x, 0);
  const int32_t fromY = pixelRow(from.y);
  const int32_t toX = pixelColumn(to.x, 0);
  const int32_t toY = pixelRow(to.y);
  if (std::abs(toX - fromX) > kMostCells || std::abs(toY - fromY) > kMostCells) return false;
  const Cells cells(map, cellsUnder(from, size));
  return placeIsFree(cells, cellsUnder(to, size)) && connected(cells, fromX, fromY, toX, toY);
}

}  // namespace motion_path
