#pragma once
// A walk over the columns of a map whose columns wrap, that looks at each column beside the two
// next to it through one byte per row: `read(x, bytes)` fills height + 2 bytes for column x (an
// extra row below the first and above the last, so a pass tests no row edge), once per column;
// `visit(x, left, mid, right)` then sees column x and its neighbours. Three columns' bytes are
// kept as the walk moves right, and the first column's are kept for the last one's right.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

template <typename Read, typename Visit>
void walkColumnBytes(int32_t width, int32_t height, Read&& read, Visit&& visit) {
  if (width <= 0 || height <= 0) return;
  const size_t rows = static_cast<size_t>(height) + 2;
  std::vector<uint8_t> bytes(4 * rows);
  uint8_t* left = bytes.data();
  uint8_t* mid = left + rows;
  uint8_t* right = mid + rows;
  uint8_t* const first = right + rows;
  read(width - 1, left);
  read(0, first);
  std::copy(first, first + rows, mid);
  for (int32_t x = 0; x < width; ++x) {
    if (x == width - 1) {
      std::copy(first, first + rows, right);
    } else {
      read(x + 1, right);
    }
    visit(x, static_cast<const uint8_t*>(left), static_cast<const uint8_t*>(mid), static_cast<const uint8_t*>(right));
    std::swap(left, mid);   // the middle column becomes the left one,
    std::swap(mid, right);  // the right one the middle, and the old left is read next
  }
}
