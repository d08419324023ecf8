#pragma once
// The daylight seeping into the cells that one pass of re-tints over a window reads, each cell's
// found once: a smooth re-tint reads a cell's light for its own corners and for each of its eight
// neighbours', and the search for the daylight near a cell is the costliest part of it. Kept for
// one pass over a map that does not change meanwhile (the window's whole relight, a recentre, a
// scroll step), then dropped.
//
// Main thread only, as the window.

#include <cstddef>
#include <cstdint>
#include <vector>

class MapBlock;

class SeepingMemo {
 public:
  // Room for a window of `columns` x `rows` cells and the ring of cells around it.
  SeepingMemo(int columns, int rows);

  // The level kept for the cell in this pass, or -1.
  int find(const MapBlock& cell) const;
  // Keeps the cell's level; once the memo is full it keeps nothing more (a later find misses).
  void keep(const MapBlock& cell, int level);

 private:
  size_t slotOf(const MapBlock& cell) const;

  std::vector<const MapBlock*> cells_;
  std::vector<int8_t> levels_;
  size_t mask_ = 0;
  size_t kept_ = 0;
};
