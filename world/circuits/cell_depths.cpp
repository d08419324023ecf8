#include "world/circuits/cell_depths.h"

#include "world/cells/map_block.h"

void CellDepths::reset(int32_t width) {
  for (uint32_t entry : touched_) near_[entry].fill(kUnreached);
  touched_.clear();
  anchored_ = false;
  width_ = width;
  if (!far_.empty()) far_.clear();
  farDepths_.clear();
}

uint8_t& CellDepths::at(MapBlock* cell, uint8_t state) {
  if (!anchored_) {
    anchored_ = true;
    anchorX_ = cell->x;
    anchorY_ = cell->y;
    if (near_.empty()) near_.assign(static_cast<size_t>(kSide) * kSide, Depths{kUnreached, kUnreached, kUnreached, kUnreached});
  }
  int32_t dx = static_cast<int32_t>(cell->x) - anchorX_;
  if (width_ > 0) {  // the shorter way around the wrap
    if (dx >= (width_ + 1) / 2) dx -= width_;
    if (dx < -(width_ / 2)) dx += width_;
  }
  const int32_t dy = static_cast<int32_t>(cell->y) - anchorY_;
  if (dx >= -kHalf && dx < kHalf && dy >= -kHalf && dy < kHalf) {
    const uint32_t entry = static_cast<uint32_t>((dy + kHalf) * kSide + (dx + kHalf));
    Depths& depths = near_[entry];
    if (depths[0] == kUnreached && depths[1] == kUnreached && depths[2] == kUnreached && depths[3] == kUnreached) {
      touched_.push_back(entry);
    }
    return depths[state & 3];
  }
  bool fresh = false;
  const size_t place = far_.placeOf(cell, fresh);
  if (fresh) farDepths_.push_back({kUnreached, kUnreached, kUnreached, kUnreached});
  return farDepths_[place][state & 3];
}
