#include "view/tiles/ground_daylight.h"

#include <algorithm>
#include <cstdlib>

#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace ground_daylight {

namespace {

constexpr int kFullSky = 15;

// The sky an open cell at (x, y) passes into the ground, after darkness; -1 when the cell is
// missing or solid.
int openSky(const WorldMap& map, int32_t x, int32_t y, int darkness) {
  const MapBlock* cell = map.cellAt(x, y);
  if (cell == nullptr || cell->shutsOutLight(map.props())) return -1;
  return std::max(0, static_cast<int>(cell->skyLevel()) - darkness);
}

}  // namespace

int lossAt(int cells) {
  constexpr int kSteepCells = 3;
  return cells <= kSteepCells ? 2 * cells : kSteepCells + cells;
}

int seepingSky(const WorldMap& map, int32_t x, int32_t y, uint32_t darkness, int atLeast, int enough) {
  const int dark = static_cast<int>(std::min<uint32_t>(darkness, kFullSky));
  int best = std::max(0, atLeast);
  // Ring by ring outward: once even a full sky at this distance could not beat what was found,
  // nothing further can.
  for (int d = 1; d <= kReach; ++d) {
    if (kFullSky - dark - lossAt(d) <= best || best >= enough) break;
    for (int dx = -d; dx <= d; ++dx) {
      const int dy = d - std::abs(dx);
      for (int sy : {dy, -dy}) {
        best = std::max(best, openSky(map, x + dx, y + sy, dark) - lossAt(d));
        if (dy == 0) break;
      }
    }
  }
  return best;
}

}  // namespace ground_daylight
