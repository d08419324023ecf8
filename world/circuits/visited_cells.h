#pragma once
// The set of wires a flood has reached. Floods stay near where they start (40 wires deep at most,
// longer only through runs of crossings), so the cells within 64 columns and rows of the first
// cell inserted after a reset are kept in a bitmap around it, and any other cell in a cell set.
// Main thread only.

#include <array>
#include <cstdint>

#include "world/circuits/cell_set.h"

class MapBlock;

class VisitedCells {
 public:
  // Empties the set; the next cell inserted anchors the bitmap. `width` is the map's (columns
  // wrap).
  void reset(int32_t width);
  // True when the cell was not yet a member.
  bool insert(MapBlock* cell);

 private:
  static constexpr int kHalf = 64;
  static constexpr int kSide = 2 * kHalf;

  bool anchored_ = false;
  int32_t anchorX_ = 0;
  int32_t anchorY_ = 0;
  int32_t width_ = 0;
  std::array<uint64_t, kSide * kSide / 64> bits_{};
  CellSet far_;
};
