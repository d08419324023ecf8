#include "view/tiles/light_hue.h"

#include <algorithm>

#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace light_hue {

namespace {

constexpr int kFull = 15;

int brightest(const Levels& l) { return std::max({l[0], l[1], l[2]}); }

}  // namespace

Levels levelsOf(const MapBlock& cell) {
  const uint16_t light = cell.lightColour();
  return {light & 15, (light >> 4) & 15, (light >> 8) & 15};
}

Levels raised(const Levels& levels) {
  const int top = brightest(levels);
  if (top <= 0) return {};
  Levels out{};
  for (size_t c = 0; c < 3; ++c) out[c] = levels[c] > 0 ? std::min(kFull, levels[c] + kFull - top) : 0;
  return out;
}

Levels sourceHue(const WorldMap& map, int32_t x, int32_t y) {
  const MapBlock* here = map.cellAt(x, y);
  if (here == nullptr) return {};
  Levels best = levelsOf(*here);
  // A light loses at least a level a step, so its source is at most 15 steps away.
  for (int step = 0; step < kFull && brightest(best) < kFull; ++step) {
    static constexpr int kSides[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    int32_t nextX = x, nextY = y;
    Levels next = best;
    for (const auto& side : kSides) {
      const MapBlock* n = map.cellAt(x + side[0], y + side[1]);
      if (n == nullptr) continue;
      const Levels levels = levelsOf(*n);
      if (brightest(levels) > brightest(next)) next = levels, nextX = x + side[0], nextY = y + side[1];
    }
    if (nextX == x && nextY == y) break;
    best = next, x = nextX, y = nextY;
  }
  return raised(best);
}

}  // namespace light_hue
