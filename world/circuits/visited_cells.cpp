#include "world/circuits/visited_cells.h"

#include "world/cells/map_block.h"

void VisitedCells::reset(int32_t width) {
  if (anchored_) bits_.fill(0);
  anchored_ = false;
  width_ = width;
  if (!far_.empty()) far_.clear();
}

bool VisitedCells::insert(MapBlock* cell) {
  if (!anchored_) {
    anchored_ = true;
    anchorX_ = cell->x;
    anchorY_ = cell->y;
  }
  int32_t dx = static_cast<int32_t>(cell->x) - anchorX_;
  if (width_ > 0) {  // the shorter way around the wrap
    if (dx >= (width_ + 1) / 2) dx -= width_;
    if (dx < -(width_ / 2)) dx += width_;
  }
  const int32_t dy = static_cast<int32_t>(cell->y) - anchorY_;
  if (dx < -kHalf || dx >= kHalf || dy < -kHalf || dy >= kHalf) return far_.insert(cell);
  const uint32_t bit = static_cast<uint32_t>((dy + kHalf) * kSide + (dx + kHalf));
  uint64_t& word = bits_[bit >> 6];
  const uint64_t mask = uint64_t{1} << (bit & 63);
  if ((word & mask) != 0) return false;
  word |= mask;
  return true;
}
