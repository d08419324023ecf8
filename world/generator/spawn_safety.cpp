#include "world/generator/spawn_safety.h"

#include <algorithm>
#include <cstdlib>

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"

using namespace spawn_safety;

namespace {

// The body fits in the cell and nothing in it hurts.
bool open(const WorldMap& map, const MapBlock& cell) {
  const BlockProps& front = map.props()[cell.frontId()];
  return front.transparency != 0 && !cell.isSolid(map.props()) && !front.has(block_flag::kHarmful);
}

bool fullBlock(const WorldMap& map, const MapBlock& cell) { return map.props()[cell.frontId()].opaque(); }

bool liquidNear(const WorldMap& map, int32_t x, int32_t y) {
  for (int32_t dx = -kLiquidReach; dx <= kLiquidReach; ++dx) {
    for (int32_t dy = -kLiquidReach; dy <= kLiquidReach; ++dy) {
      const MapBlock* cell = map.cellAt(x + dx, y + dy);
      if (cell != nullptr && cell->holdsOrSourcesLiquid()) return true;
    }
  }
  return false;
}

// Walks from the spawn one way until a wall stops it: false when it falls further than a harmless
// fall or into liquid on the way.
bool walkIsHarmless(const WorldMap& map, int32_t x, int32_t y, int32_t step) {
  int32_t row = y;
  for (int32_t i = 1; i <= kWalkReach; ++i) {
    const int32_t column = x + step * i;
    const MapBlock* cell = map.cellAt(column, row);
    if (cell == nullptr || cell->holdsOrSourcesLiquid()) return false;
    if (!open(map, *cell)) return true;
    const int32_t top = row;
    while (row > 0 && open(map, *map.cellAt(column, row - 1))) {
      --row;
      if (map.cellAt(column, row)->holdsOrSourcesLiquid()) return false;
    }
    if (top - row > kHarmlessFall || row == 0) return false;
  }
  return true;
}

// Where a player set down in the column comes to stand: above whatever grew on the surface, on the
// first full block below.
int32_t standingRow(const WorldMap& map, int32_t x) {
  int32_t y = std::min<int32_t>(map.surfaceLine(x), map.height() - 1);
  while (y < map.height() - 1 && !open(map, map.cell(x, y))) ++y;
  while (y > 0 && !fullBlock(map, map.cell(x, y - 1))) --y;
  return y;
}

}  // namespace

bool isSafeSpawn(const WorldMap& map, int32_t x, int32_t y) {
  const MapBlock* cell = map.cellAt(x, y);
  const MapBlock* floor = map.cellAt(x, y - 1);
  if (cell == nullptr || floor == nullptr || !open(map, *cell) || !fullBlock(map, *floor)) return false;
  if (map.props()[floor->frontId()].has(block_flag::kHarmful) || liquidNear(map, x, y)) return false;
  return walkIsHarmless(map, x, y, -1) && walkIsHarmless(map, x, y, 1);
}

namespace {

// The safe standing cell nearest to the column, searched outwards both ways; with `onSurface`,
// only one near the surface line. False when the whole width has none.
bool nearestSafe(const WorldMap& map, int32_t column, bool onSurface, SpawnCell& found) {
  for (int32_t i = 1; i < map.width(); ++i) {
    const int32_t offset = (i % 2 == 0) ? i / 2 : -(i + 1) / 2;  // -1, +1, -2, +2, ...
    const int32_t x = map.wrapX(column + offset);
    const int32_t y = standingRow(map, x);
    if (onSurface && y + kSurfaceDepth < map.surfaceLine(x)) continue;
    if (isSafeSpawn(map, x, y)) {
      found = {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
      return true;
    }
  }
  return false;
}

}  // namespace

SpawnCell safeSpawnNear(WorldGenerator& g, SpawnCell chosen) {
  if (isSafeSpawn(g.map, chosen.column, chosen.row)) return chosen;
  // Down a hole in the surface is a cave: taken only where the surface has no safe ground at all
  // (a planet of islands), since a dry cave is still better than the sea.
  SpawnCell found = chosen;
  if (nearestSafe(g.map, chosen.column, true, found) || nearestSafe(g.map, chosen.column, false, found)) return found;
  g.gaveUp(RetryKind::Spawn);
  return chosen;
}
