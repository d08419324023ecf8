#include "view/tiles/seeping_memo.h"

#include <bit>

SeepingMemo::SeepingMemo(int columns, int rows) {
  // At most half full, so a probe ends after a step or two.
  const auto cells = static_cast<size_t>(columns + 2) * static_cast<size_t>(rows + 2);
  const size_t slots = std::bit_ceil(2 * cells + 2);
  cells_.assign(slots, nullptr);
  levels_.assign(slots, kUnknown);
  hues_.assign(slots, {kUnknown, kUnknown, kUnknown});
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

size_t SeepingMemo::claim(const MapBlock& cell) {
  const size_t slot = slotOf(cell);
  if (cells_[slot] == &cell) return slot;
  if (2 * (kept_ + 1) > cells_.size()) return cells_.size();
  ++kept_;
  cells_[slot] = &cell;
  return slot;
}

void SeepingMemo::keep(const MapBlock& cell, int level) {
  const size_t slot = claim(cell);
  if (slot < cells_.size()) levels_[slot] = static_cast<int8_t>(level);
}

bool SeepingMemo::findHue(const MapBlock& cell, light_hue::Levels& hue) const {
  const size_t slot = slotOf(cell);
  if (cells_[slot] != &cell || hues_[slot][0] == kUnknown) return false;
  for (size_t c = 0; c < 3; ++c) hue[c] = hues_[slot][c];
  return true;
}

void SeepingMemo::keepHue(const MapBlock& cell, const light_hue::Levels& hue) {
  const size_t slot = claim(cell);
  if (slot >= cells_.size()) return;
  for (size_t c = 0; c < 3; ++c) hues_[slot][c] = static_cast<int8_t>(hue[c]);
}
