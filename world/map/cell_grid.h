#pragma once
// The cells of one map in one block of memory. Each cell is constructed once, empty, with its own
// position (column by column, index y + x * height), with no pass that initialises the block
// first and another that clears it. A grid of several megabytes is laid out in huge pages where
// the system offers them: the two million cells of the largest world then fault in by the
// hundred instead of by the ten thousand. A grid can also hold a copy of another's cells (a save's
// snapshot), which then lands in memory already faulted in from the copy before; that copy can be
// taken lazily (`copyLater`): the cells as they are now, copied by whoever settles the grid, so
// that the thread playing the world never pauses for the whole grid.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "world/cells/map_block.h"

namespace engine {
class LazyCopy;
}

class CellGrid {
 public:
  CellGrid();
  CellGrid(int32_t width, int32_t height);
  CellGrid(CellGrid&& other) noexcept;
  CellGrid& operator=(CellGrid&& other) noexcept;
  CellGrid(const CellGrid&) = delete;
  CellGrid& operator=(const CellGrid&) = delete;
  ~CellGrid();

  // The grid becomes a copy of the cells, in the memory it has when it is already of their count.
  void assign(std::span<const MapBlock> cells);
  // The grid becomes a copy of the cells as they are now, made lazily: nothing of it may be read
  // before `settle`. Only the thread that writes the cells calls it, and the cells' grid stays
  // until then (freeing it finishes the copy first).
  void copyLater(std::span<const MapBlock> cells);
  // Any thread: returns once a copy begun by `copyLater` is whole.
  void settle();

  MapBlock* data() { return cells_; }
  const MapBlock* data() const { return cells_; }
  size_t size() const { return count_; }
  MapBlock& operator[](size_t index) { return cells_[index]; }
  const MapBlock& operator[](size_t index) const { return cells_[index]; }

 private:
  void resize(size_t count);

  MapBlock* cells_ = nullptr;
  size_t count_ = 0;
  std::unique_ptr<engine::LazyCopy> pending_;
};
