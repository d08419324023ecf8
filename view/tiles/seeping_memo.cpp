#include "view/tiles/seeping_memo.h"

#include <bit>

SeepingMemo::SeepingMemo(int columns, int rows) {
  // At most half full, so a probe ends after a step or two.
  const auto cells = static_cast<size_t>(columns + 2) * static_cast<size_t>(rows + 2);
  const size_t slots = std::bit_ceil(2 * cells + 2);
  cells_.assign(slots, nullptr);
  levels_.assign(slots, -1);
  mask_ = slots - 1;
}

size_t SeepingMemo::slotOf(const MapBlock& cell) const {
  const auto address = reinterpret_cast<uintptr_t>(&cell);
  size_t slot = static_cast<size_t>((address >> 3) * 0x9E3779B97F4A7C15ull >> 20) & mask_;
  while (cells_[slot] != nullptr && cells_[slot] != &cell) slot = (slot + 1) & mask_;
  return slot;
}

int SeepingMemo::find(const MapBlock& cell) const {
  const size_t slot = slotOf(cell);
  return cells_[slot] == &cell ? levels_[slot] : -1;
}

void SeepingMemo::keep(const MapBlock& cell, int level) {
  if (2 * (kept_ + 1) > cells_.size()) return;
  const size_t slot = slotOf(cell);
  if (cells_[slot] == nullptr) ++kept_;
  cells_[slot] = &cell;
  levels_[slot] = static_cast<int8_t>(level);
}
