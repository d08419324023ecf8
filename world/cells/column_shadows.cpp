#include "world/cells/column_shadows.h"

#include "world/cells/block_props.h"
#include "world/cells/map_block.h"

using namespace shadow_trait;

uint8_t shadowTraitsOf(const BlockPropsTable& props, const MapBlock& cell) {
  const BlockProps& front = props[cell.frontId()];
  return static_cast<uint8_t>((front.opaque() ? kOpaque : 0) | (front.fullyClear() ? kFullyClear : 0) |
                              (cell.opaqueForScans(props) ? kScanOpaque : 0) | (cell.backId() != 0 ? kHasBack : 0));
}

namespace {

// A side darkens where the neighbour there is opaque for scans and the cell is clear or has nothing
// behind, or where the neighbour has a block behind and the cell has none. Plain byte arithmetic
// without branches, so that a column's rows are worked out many at a time.
inline uint8_t sidesOf(uint8_t own, uint8_t up, uint8_t right, uint8_t down, uint8_t left) {
  const uint8_t bare = static_cast<uint8_t>(~own & kHasBack);
  const uint8_t clearOrBare = static_cast<uint8_t>(((own & kFullyClear) << 1) | (bare >> 1));
  const uint8_t darkens = static_cast<uint8_t>(clearOrBare | bare);
  static_assert(kFullyClear << 1 == kScanOpaque && kHasBack >> 1 == kScanOpaque, "the shifts above");
  return static_cast<uint8_t>(((up & darkens) != 0 ? 1 : 0) | ((right & darkens) != 0 ? 2 : 0) |
                              ((down & darkens) != 0 ? 4 : 0) | ((left & darkens) != 0 ? 8 : 0));
}

}  // namespace

// A cell with an opaque front casts no edge, nor one with nothing behind it above ground: the rows
// underground and those above are two loops.
void columnShadowEdges(const uint8_t* left, const uint8_t* mid, const uint8_t* right, int32_t height,
                       int32_t undergroundTop, uint8_t* edges) {
  const int32_t underground = undergroundTop < 0 ? 0 : undergroundTop > height ? height : undergroundTop;
  for (int32_t y = 0; y < underground; ++y) {
    const uint8_t own = mid[y + 1];
    const uint8_t sides = sidesOf(own, mid[y + 2], right[y + 1], mid[y], left[y + 1]);
    edges[y] = (own & kOpaque) == 0 ? sides : 0;
  }
  for (int32_t y = underground; y < height; ++y) {
    const uint8_t own = mid[y + 1];
    const uint8_t sides = sidesOf(own, mid[y + 2], right[y + 1], mid[y], left[y + 1]);
    edges[y] = (own & (kOpaque | kHasBack)) == kHasBack ? sides : 0;
  }
}
