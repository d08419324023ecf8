#pragma once
// Which cells the player has seen, one bit per cell, for the map view. Creative worlds have none.

#include <cstdint>
#include <vector>

class ExploredBitmap {
 public:
  ExploredBitmap(int32_t width, int32_t height);

  // Reveals rows y-15 up to (not including) y+16, columns x-30 to x+30, clipped at the map's edges
  // (no wrap): what the player sees around the cell.
  void revealAround(int32_t x, int32_t y);
  // Sets columns max(x - 30, 0) to min(x + 30, last column) of one row.
  void revealRow(int32_t x, int32_t row);
  bool isExplored(int32_t x, int32_t y) const;

  int32_t wordsPerRow() const { return wordsPerRow_; }
  uint16_t width() const { return width_; }
  uint16_t height() const { return height_; }
  // The explored words, row by row (the world file keeps them).
  std::vector<uint32_t>& words() { return explored_; }
  const std::vector<uint32_t>& words() const { return explored_; }
  std::vector<uint32_t>& secondWords() { return second_; }
  const std::vector<uint32_t>& secondWords() const { return second_; }

 private:
  int32_t wordsPerRow_ = 0;
  uint16_t width_ = 0;
  uint16_t height_ = 0;
  std::vector<uint32_t> explored_;
  std::vector<uint32_t> second_;
};
