#pragma once
// Which parts of a map's cells changed since a kept copy of them was last brought level: one mark
// per chunk of consecutive cells (a column of the tallest world). Every writer of a cell in a
// running world marks it through its map (`WorldMap::markChanged`) in the same step as it writes,
// so bringing a copy level costs what changed, not the world's size. A new set has every chunk
// marked (what fills a new map needs no marks). Belongs to the thread that holds its map; nothing
// here locks.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class ChangedChunks {
 public:
  // 12 KB of cells: small enough that a few edits copy little, large enough that a copy of a run
  // of them goes at the memory's speed; the largest world has 4096 of them.
  static constexpr size_t kChunkCells = 512;

  explicit ChangedChunks(size_t cellCount = 0);

  void mark(size_t index) { marks_[index / kChunkCells] = 1; }
  // Cells first up to (not including) end.
  void markRange(size_t first, size_t end);
  void markAll();
  bool marked(size_t index) const { return marks_[index / kChunkCells] != 0; }

  // Hands each run of marked chunks to `copy` as its cells [first, first + count), in order, and
  // clears the marks.
  void take(const std::function<void(size_t first, size_t count)>& copy);

 private:
  std::vector<uint8_t> marks_;
  size_t cells_ = 0;
};
