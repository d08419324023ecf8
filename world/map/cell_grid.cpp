#include "world/map/cell_grid.h"

#include <sys/mman.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

// The size of a huge page on the systems that have them; smaller grids take ordinary pages.
constexpr size_t kHugePage = size_t{2} << 20;

static_assert(std::is_trivially_destructible_v<MapBlock>, "cells are released without destructors");

// Room for the cells, aligned to a huge page when it holds one or more, with the system told
// to back it with huge pages where it can. Nothing is written to it yet.
void* allocateCells(size_t bytes) {
  const size_t alignment = bytes >= kHugePage ? kHugePage : alignof(std::max_align_t);
  const size_t rounded = (bytes + alignment - 1) / alignment * alignment;
  void* room = std::aligned_alloc(alignment, rounded);
  if (room == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (alignment == kHugePage) madvise(room, rounded, MADV_HUGEPAGE);  // advice only; refused is fine
#endif
  return room;
}

}  // namespace

CellGrid::CellGrid() = default;

size_t CellGrid::countOf(int32_t width, int32_t height) {
  return static_cast<size_t>(width > 0 ? width : 0) * static_cast<size_t>(height > 0 ? height : 0);
}

CellGrid::CellGrid(int32_t width, int32_t height) : count_(countOf(width, height)) {
  if (count_ == 0) return;
  cells_ = static_cast<MapBlock*>(allocateCells(count_ * sizeof(MapBlock)));
  // One column of empty cells is made with its rows, and each column of the grid is a copy of it
  // under its own column number: a copy of whole lines instead of a field at a time.
  std::vector<MapBlock> column(static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) column[static_cast<size_t>(y)].y = static_cast<uint16_t>(y);
  for (int32_t x = 0; x < width; ++x) {
    for (MapBlock& cell : column) cell.x = static_cast<uint16_t>(x);
    std::uninitialized_copy(column.begin(), column.end(), cells_ + static_cast<size_t>(x) * column.size());
  }
}

CellGrid::CellGrid(CellGrid&& other) noexcept
    : cells_(std::exchange(other.cells_, nullptr)), count_(std::exchange(other.count_, 0)) {}

CellGrid& CellGrid::operator=(CellGrid&& other) noexcept {
  std::swap(cells_, other.cells_);
  std::swap(count_, other.count_);
  return *this;
}

CellGrid::~CellGrid() { resize(0); }

// A grid of the same count keeps its memory, already faulted in.
void CellGrid::resize(size_t count) {
  if (count == count_) return;
  std::free(std::exchange(cells_, nullptr));
  count_ = 0;
  if (count == 0) return;
  cells_ = static_cast<MapBlock*>(allocateCells(count * sizeof(MapBlock)));
  count_ = count;
}

void CellGrid::assign(std::span<const MapBlock> cells) {
  resize(cells.size());
  std::uninitialized_copy(cells.begin(), cells.end(), cells_);
}
