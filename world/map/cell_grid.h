#pragma once
// The cells of one map in one block of memory. Each cell is constructed once, empty, with its own
// position (column by column, index y + x * height), with no pass that initialises the block
// first and another that clears it. A grid of several megabytes is laid out in huge pages where
// the system offers them: the two million cells of the largest world then fault in by the
// hundred instead of by the ten thousand. A grid can also hold a copy of another's cells (a save's
// snapshot), which then lands in memory already faulted in from the copy before: a plain copy of
// a few milliseconds for the largest world, with no page faults of its own.

#include <cstddef>
#include <cstdint>
#include <span>

#include "world/cells/map_block.h"

class CellGrid {
 public:
  CellGrid();
  CellGrid(int32_t width, int32_t height);
  CellGrid(CellGrid&& other) noexcept;
  CellGrid& operator=(CellGrid&& other) noexcept;
  CellGrid(const CellGrid&) = delete;
  CellGrid& operator=(const CellGrid&) = delete;
  ~CellGrid();

  // How many cells a grid of that size holds (none for a size not above zero).
  static size_t countOf(int32_t width, int32_t height);

  // The grid becomes a copy of the cells, in the memory it has when it is already of their count.
  void assign(std::span<const MapBlock> cells);

  MapBlock* data() { return cells_; }
  const MapBlock* data() const { return cells_; }
  size_t size() const { return count_; }
  MapBlock& operator[](size_t index) { return cells_[index]; }
  const MapBlock& operator[](size_t index) const { return cells_[index]; }

 private:
  void resize(size_t count);

  MapBlock* cells_ = nullptr;
  size_t count_ = 0;
};
