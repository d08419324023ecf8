#pragma once
// The shallowest depth at which the walks of one run reached each wire, by the state bits they
// carried (a run: the clocks of one timer phase, or one redrive). The cells within 128 columns and
// rows of the first cell asked about are kept in a table around it (made on first use, and only
// the entries used are emptied again); any other cell in a cell set beside its depths. Main thread
// only.

#include <array>
#include <cstdint>
#include <vector>

#include "world/circuits/cell_set.h"

class MapBlock;

class CellDepths {
 public:
  static constexpr uint8_t kUnreached = 0xFF;

  // Forgets every depth; the next cell asked about anchors the table. `width` is the map's.
  void reset(int32_t width);
  // The depth kept for the cell and the state bits (kUnreached when none), to read and lower.
  uint8_t& at(MapBlock* cell, uint8_t state);

 private:
  static constexpr int kHalf = 128;
  static constexpr int kSide = 2 * kHalf;
  using Depths = std::array<uint8_t, 4>;

  bool anchored_ = false;
  int32_t anchorX_ = 0;
  int32_t anchorY_ = 0;
  int32_t width_ = 0;
  std::vector<Depths> near_;
  std::vector<uint32_t> touched_;
  CellSet far_;
  std::vector<Depths> farDepths_;
};
