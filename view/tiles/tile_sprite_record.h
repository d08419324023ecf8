#pragma once
// One cell of the tile window: the cell it shows and the sprites of its layers, reused for
// whatever cell scrolls into its place. Slots, in order: front, back (back block or cave shade),
// decorations 0-3, liquid, circuit overlay, shadow edges 0-3; all of them are tinted, the shadow
// edges as the back layer they fall on, so an unlit cave's edges are as dark as its wall.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"
#include "view/tiles/tile_light.h"

class BlockSprite;
class MapBlock;

struct TileSpriteRecord {
  static constexpr int kFront = 0;
  static constexpr int kBack = 1;
  static constexpr int kFirstDeco = 2;
  static constexpr int kLiquid = 6;
  static constexpr int kCircuit = 7;
  static constexpr int kFirstEdge = 8;
  static constexpr int kSlots = 12;
  static constexpr int kTintedSlots = kSlots;

  MapBlock* cell = nullptr;
  std::array<BlockSprite*, kSlots> sprites{};
  // The paint decorations' colours on the cell's front and back side, when there are any.
  engine::Color3B frontPaint{};
  engine::Color3B backPaint{};
  bool hasFrontPaint = false;
  bool hasBackPaint = false;
  // Nothing is drawn behind the open cell: the sky shows through it.
  bool showsSky = false;
  // Smooth lighting's corners (top-left, top-right, bottom-left, bottom-right) of the front and
  // back layers, and the flat colour.
  tile_light::LayerCorners corners{};
  engine::Color3B cellColour{};
};
