// Lighting a whole map. The sky is lit level by level, from 15 down: a cell is expanded only once
// its level is final (every later cell is dimmer, so nothing can raise it again), which keeps the
// sky at one visit per lit cell however far it has to travel. It is worked out in a byte per cell
// (sky level and whether the cell lets light through) laid column by column with a sentinel row
// above and below each column, so the hot loop reads a small array and tests no row edge; the
// levels are then stored in the cells they lit. The emitters are spread last over the cells by
// the block light alone: the sky is final by then, so nothing else could rise.
//
// A map is lit whole once (when it is generated, loaded or received), so the scratch of a relight
// (the padded bytes, the shadow traits, the cells by level and the emitters) is the relight's own
// and goes with it: a map in play keeps none of it.

#include <vector>

#include "world/cells/column_shadows.h"
#include "world/light/light_grid.h"
#include "world/light/light_map.h"
#include "world/light/relight_traits.h"
#include "world/map/world_map.h"

using namespace light_grid;

namespace {
// Sky below this cannot raise a neighbour (the smallest loss is 2), so such cells are never expanded.
constexpr int kLowestSpreadingSky = 3;
constexpr uint8_t kSkyMask = 0x0F;
constexpr uint8_t kOpen = 0x10;
constexpr uint8_t kFullSkyBits = 0xF0;  // sky level 15 in a cell's sky-and-shadow byte
// The sentinel rows: full sky that lets nothing through, above anything a neighbour can offer.
constexpr uint8_t kSentinel = 15;

// One relight of the whole map, with the scratch it works in.
class WholeMapRelight {
 public:
  WholeMapRelight(WorldMap& map, const LightMap& light) : map_(map), light_(light) {}

  void run(bool withShadows);

 private:
  template <bool withShadows>
  void markColumn(const RelightTraits& traits, uint32_t x);
  void shadeColumn(uint32_t x);
  void lightSkyByLevels();
  void storeSky();
  void spreadBlockLight();

  WorldMap& map_;
  const LightMap& light_;
  std::vector<uint8_t> sky_;  // sky level and open bit per cell, columns padded
  std::vector<uint8_t> shade_;  // with the shadows, shadow traits per cell, laid as sky_
  std::vector<uint8_t> edges_;  // one column's shadow edges
  std::vector<uint32_t> skyTop_;  // per column the lowest row of its open top run (height if none)
  std::vector<std::vector<uint32_t>> skyLevels_;  // cells by sky level
  std::vector<uint32_t> emitters_;  // the emitters, then the cells their light reached
};

// One pass over the cells, column by column: each column is marked and, with the shadows, the
// column before it is shaded while its cells are still in the cache (the first column last, once
// the last one beside it is marked). Emitters are listed in cell order, the order every relight
// has spread them in.
void WholeMapRelight::run(bool withShadows) {
  const Grid grid(map_);
  const RelightTraits traits(map_.props());
  const uint32_t stride = grid.height + 2;
  sky_.assign(static_cast<size_t>(grid.width) * stride, 0);
  if (withShadows) {
    shade_.assign(static_cast<size_t>(grid.width) * stride, 0);
    edges_.resize(grid.height);
  }
  skyTop_.resize(grid.width);
  for (uint32_t x = 0; x < grid.width; ++x) {
    if (withShadows) {
      markColumn<true>(traits, x);
      if (x >= 2) shadeColumn(x - 1);
    } else {
      markColumn<false>(traits, x);
    }
  }
  if (withShadows) {
    if (grid.width >= 2) shadeColumn(grid.width - 1);
    shadeColumn(0);
  }
  lightSkyByLevels();
  storeSky();
  spreadBlockLight();
}

// The cells' flags and emitters, the column's padded sky bytes and, with the shadows, its shadow
// traits. The sky level is cleared, and the full sky of the column's open top run stored, here or,
// with the shadows, when the column is shaded: storing the sky later then needs to touch only the
// cells lit below the full sky, while the column is still in the cache now. Only what changes is
// written: most cells of a new world keep their bytes, and a line only read need not go back to memory.
template <bool withShadows>
void WholeMapRelight::markColumn(const RelightTraits& traits, uint32_t x) {
  static_assert(relight_trait::kLetsLightThrough == kOpen, "the trait is the sky byte's open bit");
  const Grid grid(map_);
  const uint32_t stride = grid.height + 2;
  uint8_t* sky = &sky_[static_cast<size_t>(x) * stride];
  uint8_t* shade = withShadows ? &shade_[static_cast<size_t>(x) * stride] : nullptr;
  sky[0] = sky[stride - 1] = kSentinel;
  const uint32_t first = x * grid.height;
  MapBlock* column = grid.cells + first;
  for (uint32_t y = 0; y < grid.height; ++y) {
    MapBlock& c = column[y];
    const uint8_t t = traits.of(c.front);
    const uint8_t open = t & relight_trait::kLetsLightThrough;
    sky[y + 1] = open;
    const uint8_t flags = static_cast<uint8_t>((c.flags & ~cell_flag::kLetsLightThrough) |
                                               (open != 0 ? cell_flag::kLetsLightThrough : 0));
    if (flags != c.flags) c.flags = flags;
    if constexpr (withShadows) {
      shade[y + 1] = static_cast<uint8_t>((t & relight_trait::kShadowMask) |
                                          ((c.back & 0x0FFF) != 0 ? shadow_trait::kHasBack : 0));
    } else if (c.skyShadow > 0x0F) {
      c.skyShadow &= 0x0F;
    }
    if ((t & relight_trait::kMayEmit) == 0 && !c.holdsGlowingLiquid()) continue;
    const uint16_t emitted = light_.emittedColour(c);
    if (emitted != 0) {
      c.flags |= cell_flag::kEmitsLight;
      c.blockLight = emitted;
      emitters_.push_back(first + y);
    }
  }
  uint32_t top = grid.height;
  while (top > 0 && (sky[top] & kOpen) != 0) --top;  // sky[y + 1] is row y
  skyTop_[x] = top;
  if constexpr (!withShadows) {
    for (uint32_t y = top; y < grid.height; ++y) column[y].skyShadow |= kFullSkyBits;
  }
}

// The shadow edges of column x from the traits of it and its neighbours, as each of its cells works
// its own out (MapBlock::computeShadowEdges), with the sky level cleared but in the open top run.
void WholeMapRelight::shadeColumn(uint32_t x) {
  const Grid grid(map_);
  const size_t stride = grid.height + 2;
  const uint32_t left = x == 0 ? grid.width - 1 : x - 1;
  const uint32_t right = x + 1 == grid.width ? 0 : x + 1;
  // Rows below this one lie more than 3 rows under the surface line.
  const int32_t undergroundTop =
      map_.hasSurfaceLine() ? static_cast<int32_t>(map_.surfaceLine(static_cast<int32_t>(x))) - 3 : 0;
  columnShadowEdges(&shade_[left * stride], &shade_[x * stride], &shade_[right * stride],
                    static_cast<int32_t>(grid.height), undergroundTop, edges_.data());
  MapBlock* column = grid.cells + static_cast<size_t>(x) * grid.height;
  for (uint32_t y = 0; y < grid.height; ++y) {
    const uint8_t shaded = static_cast<uint8_t>(edges_[y] | (y >= skyTop_[x] ? kFullSkyBits : 0));
    if (column[y].skyShadow != shaded) column[y].skyShadow = shaded;
  }
}

// Full sky first, column by column down from the top row (it only ever comes from there), then each
// lower level in the order its cells were reached. Works on the padded bytes of `sky_`.
void WholeMapRelight::lightSkyByLevels() {
  const uint32_t width = static_cast<uint32_t>(map_.width());
  const uint32_t stride = static_cast<uint32_t>(map_.height()) + 2;
  const uint32_t wrap = (width - 1) * stride;
  skyLevels_.resize(16);
  for (uint32_t x = 0; x < width; ++x) {
    const uint32_t top = x * stride + stride - 2;
    if ((sky_[top] & kOpen) == 0) {
      sky_[top] = 13;
      skyLevels_[13].push_back(top);
      continue;
    }
    for (uint32_t p = top; (sky_[p] & kOpen) != 0; --p) {  // the sentinel below is not open
      sky_[p] = kOpen | 15;
      skyLevels_[15].push_back(p);
    }
  }
  for (int level = 15; level >= kLowestSpreadingSky; --level) {
    std::vector<uint32_t>& cellsAtLevel = skyLevels_[static_cast<size_t>(level)];
    for (const uint32_t p : cellsAtLevel) {
      const uint8_t here = sky_[p];
      if ((here & kSkyMask) != level) continue;  // raised again since; expanded at its higher level
      const int offered = level - ((here & kOpen) != 0 ? 2 : 6);
      if (offered <= 0) continue;
      const uint32_t around[4] = {p < stride ? p + wrap : p - stride, p - 1,
                                  p >= wrap ? p - wrap : p + stride, p + 1};
      for (const uint32_t n : around) {
        const uint8_t there = sky_[n];
        if ((there & kSkyMask) >= offered) continue;
        sky_[n] = static_cast<uint8_t>((there & kOpen) | offered);
        if (offered >= kLowestSpreadingSky) skyLevels_[static_cast<size_t>(offered)].push_back(n);
      }
    }
    cellsAtLevel.clear();
  }
}

// Every cell's sky level was cleared when it was marked, and the full sky stored: full sky comes
// only from the open top runs (a spreading level is at most 13), so only the lower lit levels are
// written.
void WholeMapRelight::storeSky() {
  const Grid grid(map_);
  const uint32_t stride = grid.height + 2;
  for (uint32_t x = 0; x < grid.width; ++x) {
    const uint8_t* sky = &sky_[static_cast<size_t>(x) * stride + 1];
    MapBlock* column = grid.cells + static_cast<size_t>(x) * grid.height;
    for (uint32_t y = 0; y < grid.height; ++y) {
      const uint8_t level = sky[y] & kSkyMask;
      if (level != 0 && level != 15) column[y].skyShadow = static_cast<uint8_t>(column[y].skyShadow | (level << 4));
    }
  }
}

// The propagation of the emitters, by the block light alone.
void WholeMapRelight::spreadBlockLight() {
  const Grid grid(map_);
  for (size_t k = 0; k < emitters_.size(); ++k) {
    const uint32_t i = emitters_[k];
    const MapBlock& c = grid.cells[i];
    const int loss = lossFrom(c);
    for (int d = 0; d < 4; ++d) {
      const uint32_t j = grid.neighbour(i, c, d);
      if (j != kNone && raiseColour(c, grid.cells[j], d, loss)) emitters_.push_back(j);
    }
  }
}

}  // namespace

void LightMap::relightAll() { WholeMapRelight(map_, *this).run(false); }

void LightMap::relightAllWithShadows() { WholeMapRelight(map_, *this).run(true); }
