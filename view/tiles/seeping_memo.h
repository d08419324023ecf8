#pragma once
// What the searches of one pass of re-tints over a window find, each cell's found once: the
// daylight seeping into it and the hue of its block light at the source (light_hue.h). A smooth
// re-tint reads a cell's light for its own corners and for each of its eight neighbours', and those
// two searches, around the cell and uphill along its light, are the costliest part of it. Kept for
// one pass over a map that does not change meanwhile (the window's whole relight, a recentre, a
// scroll step), then dropped.
//
// Main thread only, as the window.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/tiles/light_hue.h"

class MapBlock;

class SeepingMemo {
 public:
  // Room for a window of `columns` x `rows` cells and the ring of cells around it.
  SeepingMemo(int columns, int rows);

  // The level kept for the cell in this pass, or -1.
  int find(const MapBlock& cell) const;
  // Keeps the cell's level; once the memo is full it keeps nothing more (a later find misses).
  void keep(const MapBlock& cell, int level);

  // Whether the hue of the cell's block light is kept in this pass; if so, `hue` is it.
  bool findHue(const MapBlock& cell, light_hue::Levels& hue) const;
  // Keeps the cell's hue, as `keep` keeps its level.
  void keepHue(const MapBlock& cell, const light_hue::Levels& hue);

 private:
  size_t slotOf(const MapBlock& cell) const;
  // The cell's slot, taken for it if it had none; the size of the memo when it is full.
  size_t claim(const MapBlock& cell);

  static constexpr int8_t kUnknown = -1;
  std::vector<const MapBlock*> cells_;
  std::vector<int8_t> levels_;
  std::vector<std::array<int8_t, 3>> hues_;  // a hue's levels are 0-15
  size_t mask_ = 0;
  size_t kept_ = 0;
};
