#include "world/map/explored_bitmap.h"

#include <algorithm>

ExploredBitmap::ExploredBitmap(int32_t width, int32_t height)
    : wordsPerRow_(width / 32),
      width_(static_cast<uint16_t>(width)),
      height_(static_cast<uint16_t>(height)),
      explored_(static_cast<size_t>(wordsPerRow_) * static_cast<size_t>(std::max(height, 0)), 0u),
      second_(explored_.size(), 0u) {}

void ExploredBitmap::revealAround(int32_t x, int32_t y) {
  const int32_t first = std::max(y - 15, 0);
  const int32_t end = std::min(static_cast<int32_t>(height_) - 1, y + 16);
  for (int32_t row = first; row < end; ++row) revealRow(x, row);
}

void ExploredBitmap::revealRow(int32_t x, int32_t row) {
  if (row < 0 || row >= height_ || wordsPerRow_ == 0) return;
  const int32_t lastColumn = wordsPerRow_ * 32 - 1;
  const int32_t start = std::max(x - 30, 0);
  const int32_t end = std::min(x + 30, lastColumn);
  if (start > end) return;
  uint32_t* words = explored_.data() + static_cast<size_t>(row) * static_cast<size_t>(wordsPerRow_);
  const int32_t firstWord = start / 32, lastWord = end / 32;
  for (int32_t w = firstWord; w <= lastWord; ++w) {
    const int32_t lo = w == firstWord ? start % 32 : 0;
    const int32_t hi = w == lastWord ? end % 32 : 31;
    const uint32_t mask = (hi == 31 ? ~0u : ((1u << (hi + 1)) - 1u)) & ~((1u << lo) - 1u);
    words[w] |= mask;
  }
}

bool ExploredBitmap::isExplored(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || y >= height_ || x >= wordsPerRow_ * 32) return false;
  const uint32_t word = explored_[static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_) + static_cast<size_t>(x / 32)];
  return ((word >> (x % 32)) & 1u) != 0;
}
