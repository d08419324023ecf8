#pragma once
// How many map columns and rows the world view keeps on screen: enough cells of the scaled cell
// edge to cover the screen's long and short side, padded so that both counts are odd and the
// player's cell sits in the middle with a margin for scrolling.

#include <cstdint>

constexpr float CELL_PIXELS = 30.0f;

struct VisibleCellCounts {
  int32_t columns = 0;
  int32_t rows = 0;

  friend bool operator==(const VisibleCellCounts&, const VisibleCellCounts&) = default;
};

// The cell edge is (viewportScale - 1) x 30 pixels; each count is the ceiling of its side over
// that edge, plus 2 when the ceiling is odd and 3 when it is even. A viewportScale below 2 would
// give no edge at all and counts beyond any map, so it is taken as 2.
VisibleCellCounts visibleCellCountsFor(float longSide, float shortSide, int viewportScale);

// Stores the process's counts (the launch computes them from the screen and its options).
void storeVisibleCellCounts(const VisibleCellCounts& counts);
// The counts the last update stored; zero before the first.
const VisibleCellCounts& visibleCellCounts();
