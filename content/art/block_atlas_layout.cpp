#include "content/art/block_atlas_layout.h"

#include <algorithm>

namespace art {

engine::Rect blockSpriteRect(uint16_t id, uint8_t variant) {
  const bool rightHalf = id >= 2048;
  const int index = (rightHalf ? id - 2048 : id) + variant;
  const int x = (index % kAtlasCell) * kAtlasCell + 1 + (rightHalf ? kBlockAtlasSize / 2 : 0);
  const int y = (index / kAtlasCell) * kAtlasCell + 1;
  return {float(x), float(y), float(kFrameSize), float(kFrameSize)};
}

engine::Rect caveWallSpriteRect(uint32_t planetBit, int band) {
  int planet = 0;
  while (planet < kCaveWallPlanets && planetBit != (1u << planet)) ++planet;
  if (planet == kCaveWallPlanets) planet = 0;
  const int clampedBand = std::clamp(band, 0, kCaveWallBands - 1);
  return blockSpriteRect(kCaveWallFirstCell, uint8_t(planet * kCaveWallBands + clampedBand));
}

int caveWallBand(int row, int surfaceRow) {
  if (surfaceRow <= 0) return kCaveWallBands - 1;
  return std::clamp((surfaceRow - row) * kCaveWallBands / surfaceRow, 0, kCaveWallBands - 1);
}

namespace {

int liquidOffset(LiquidKind kind) { return kind == LiquidKind::Lava ? 128 : kind == LiquidKind::Acid ? 256 : 0; }

engine::Rect liquidFrame(LiquidKind kind, int column, int row) {
  return {float(liquidOffset(kind) + 1 + column * kAtlasCell), float(row * kAtlasCell + 1), float(kFrameSize),
          float(kFrameSize)};
}

}  // namespace

engine::Rect liquidSpriteRect(LiquidKind kind, uint8_t amountA, uint8_t amountB, bool active) {
  int column = 2;
  int row = 4;
  if (!active) {
    column = std::max(amountA, amountB) - 1;
    row = std::min(amountA, amountB);
  }
  column = std::max(column, 0);  // two empty amounts have no frame of their own; show the thinnest
  return liquidFrame(kind, column, row);
}

engine::Rect coveredLiquidSpriteRect(LiquidKind kind, int depth) {
  // Column, row of each depth's frame: all below the diagonal the amount frames fill.
  static constexpr int kSlots[kLiquidDepthBands][2] = {{0, 2}, {0, 3}, {0, 4}, {1, 3}};
  const int band = std::clamp(depth, 1, kLiquidDepthBands) - 1;
  return liquidFrame(kind, kSlots[band][0], kSlots[band][1]);
}

}  // namespace art
