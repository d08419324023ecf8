#include "world/cells/visible_cell_counts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MIN_VIEWPORT_SCALE = 2;

VisibleCellCounts& stored() {
  static VisibleCellCounts counts;
  return counts;
}

int32_t paddedCount(float side, float edge) {
  const auto cells = static_cast<int32_t>(std::ceil(std::max(side, 0.0f) / edge));
  return cells + (cells % 2 != 0 ? 2 : 3);
}

}  // namespace

VisibleCellCounts visibleCellCountsFor(float longSide, float shortSide, int viewportScale) {
  const int scale = viewportScale < MIN_VIEWPORT_SCALE ? MIN_VIEWPORT_SCALE : viewportScale;
  const float edge = static_cast<float>(scale - 1) * CELL_PIXELS;
  return VisibleCellCounts{paddedCount(longSide, edge), paddedCount(shortSide, edge)};
}

void storeVisibleCellCounts(const VisibleCellCounts& counts) { stored() = counts; }

const VisibleCellCounts& visibleCellCounts() { return stored(); }
