// Lighting a whole map. The sky is lit level by level, from 15 down: a cell is expanded only once
// its level is final (every later cell is dimmer, so nothing can raise it again), which keeps the
// sky at one visit per lit cell however far it has to travel. The emitters are spread afterwards
// by the ordinary propagation, which finds the sky already settled.

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/light/light_grid.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"

using namespace light_grid;

namespace {
// Sky below this cannot raise a neighbour (the smallest loss is 2), so such cells are never expanded.
constexpr int kLowestSpreadingSky = 3;
}  // namespace

void LightMap::relightAll() {
  const Grid grid(map_);
  const BlockPropsTable& props = map_.props();
  const uint32_t count = static_cast<uint32_t>(map_.cellCount());
  work_.clear();
  for (uint32_t i = 0; i < count; ++i) {
    MapBlock& c = grid.cells[i];
    const BlockProps& front = props[c.frontId()];
    const bool shutsOut = front.opaque() && !front.has(block_flag::kLetsSkyThrough);
    if (shutsOut || (c.frontVariant() == 1 && c.shutsOutLight(props))) {  // the variant-1 exception
      c.flags &= static_cast<uint8_t>(~cell_flag::kLetsLightThrough);
    } else {
      c.flags |= cell_flag::kLetsLightThrough;
    }
    const bool mayEmit = front.has(block_flag::kEmitsLight) || c.frontVariant() == 1 || c.liquid >= 0x80;
    const uint16_t emitted = mayEmit ? emittedColour(c) : 0;
    if (emitted != 0) {
      c.flags |= cell_flag::kEmitsLight;
      c.blockLight = emitted;
      work_.push_back(i);
    }
  }
  lightSkyByLevels();
  propagate();
}

// Full sky first, column by column down from the top row (the order of the cells in memory), then
// each lower level in the order its cells were reached.
void LightMap::lightSkyByLevels() {
  const Grid grid(map_);
  skyLevels_.resize(16);
  std::vector<uint32_t>& fullSky = skyLevels_[15];
  for (uint32_t x = 0; x < grid.width; ++x) {
    const uint32_t top = grid.height - 1 + x * grid.height;
    MapBlock& roof = grid.cells[top];
    if (!letsLightThrough(roof)) {
      roof.setSkyLevel(13);
      skyLevels_[13].push_back(top);
      continue;
    }
    for (uint32_t i = top; ; --i) {
      MapBlock& c = grid.cells[i];
      if (!letsLightThrough(c)) break;
      c.setSkyLevel(15);
      fullSky.push_back(i);
      if (c.y == 0) break;
    }
  }
  for (int level = 15; level >= kLowestSpreadingSky; --level) {
    std::vector<uint32_t>& cellsAtLevel = skyLevels_[static_cast<size_t>(level)];
    for (size_t k = 0; k < cellsAtLevel.size(); ++k) {  // full sky falling grows this very level
      const uint32_t i = cellsAtLevel[k];
      const MapBlock& c = grid.cells[i];
      if (c.skyLevel() != level) continue;  // raised again since; expanded at its higher level
      const int loss = lossFrom(c);
      for (int d = 0; d < 4; ++d) {
        const uint32_t j = grid.neighbour(i, c, d);
        if (j == kNone) continue;
        MapBlock& n = grid.cells[j];
        if (raiseSky(c, n, d, loss) && n.skyLevel() >= kLowestSpreadingSky) {
          skyLevels_[n.skyLevel()].push_back(j);
        }
      }
    }
    cellsAtLevel.clear();
  }
}
