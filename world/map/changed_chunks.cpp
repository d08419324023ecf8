#include "world/map/changed_chunks.h"

#include <algorithm>

ChangedChunks::ChangedChunks(size_t cellCount)
    : marks_((cellCount + kChunkCells - 1) / kChunkCells, 1), cells_(cellCount) {}

void ChangedChunks::markRange(size_t first, size_t end) {
  end = std::min(end, cells_);
  if (first >= end) return;
  std::fill(marks_.begin() + static_cast<std::ptrdiff_t>(first / kChunkCells),
            marks_.begin() + static_cast<std::ptrdiff_t>((end - 1) / kChunkCells + 1), uint8_t{1});
}

void ChangedChunks::markAll() { std::fill(marks_.begin(), marks_.end(), uint8_t{1}); }

void ChangedChunks::take(const std::function<void(size_t first, size_t count)>& copy) {
  const size_t chunks = marks_.size();
  for (size_t chunk = 0; chunk < chunks;) {
    if (marks_[chunk] == 0) {
      ++chunk;
      continue;
    }
    const size_t runStart = chunk;
    while (chunk < chunks && marks_[chunk] != 0) marks_[chunk++] = 0;
    const size_t first = runStart * kChunkCells;
    copy(first, std::min(chunk * kChunkCells, cells_) - first);
  }
}
