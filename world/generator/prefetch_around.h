#pragma once
// Asking ahead for the cells a flood will look at round a point it has already reached: the point's
// own cell (its neighbours above and below share its line or the next) and the cells beside it on
// its row, a column's height away on either side. The floods over pockets and caves reach cells
// spread over many columns, each a miss the processor's own prefetcher cannot foresee; asked for a
// few points ahead, they arrive by the time the flood gets there. Nothing is read or written.

#include <cstddef>
#include <cstdint>

#include "world/cells/map_block.h"
#include "world/generator/neighbour_column.h"

// The indices, column by column (y + x * height), of a point and of its left and right neighbours.
struct RowNeighbours {
  size_t here;
  size_t left;
  size_t right;
};

inline RowNeighbours rowNeighbours(int32_t x, int32_t y, int32_t width, int32_t height) {
  const auto at = [y, height](int32_t column) {
    return static_cast<size_t>(y) + static_cast<size_t>(column) * static_cast<size_t>(height);
  };
  return {at(x), at(neighbourColumn(x - 1, width)), at(neighbourColumn(x + 1, width))};
}

// Always inlined: GCC may take a function whose only effect is a prefetch for one with no effect.
[[gnu::always_inline]] inline void prefetchCellsAround(const MapBlock* cells, const RowNeighbours& at) {
  __builtin_prefetch(cells + at.here);
  __builtin_prefetch(cells + at.left);
  __builtin_prefetch(cells + at.right);
}
