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

engine::Rect liquidSpriteRect(LiquidKind kind, uint8_t amountA, uint8_t amountB, bool active) {
  const int offset = kind == LiquidKind::Lava ? 128 : kind == LiquidKind::Acid ? 256 : 0;
  int column = 2;
  int row = 4;
  if (!active) {
    column = std::max(amountA, amountB) - 1;
    row = std::min(amountA, amountB);
  }
  column = std::max(column, 0);  // two empty amounts have no frame of their own; show the thinnest
  return {float(offset + 1 + column * kAtlasCell), float(row * kAtlasCell + 1), float(kFrameSize),
          float(kFrameSize)};
}

}  // namespace art
