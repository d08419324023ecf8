#pragma once
// The tile hits drawn on the running game's tile window: a hit cell's sprites give a short
// wobble (its front sprite, or the back one when there is no front, with the decorations of that
// side), and the refusal overlay (block 126) shows over a cell for 0.6 s. One overlay exists at a
// time; a new placement moves it and starts its time again, and a recentred window forgets it.
//
// Main thread only.

#include "view/effects/tile_hits.h"

namespace engine {
class FiniteTimeAction;
class Node;
}  // namespace engine

class BlockSprite;
class TileSprites;

// The wobble of one sprite: up to 1.1 of its size and back within 0.04 s, keeping the signs of its
// scale (a mirrored sprite stays mirrored). Tag 100. Autoreleased.
engine::FiniteTimeAction* makeHitShakeAction(const engine::Node& sprite);

class TileWindowHits final : public TileHits {
 public:
  static constexpr int kShakeTag = 100;
  static constexpr uint16_t kOverlayBlock = 126;
  static constexpr int kOverlayZ = 23;
  static constexpr float kOverlaySeconds = 0.6f;

  TileWindowHits() = default;
  ~TileWindowHits() override;
  TileWindowHits(const TileWindowHits&) = delete;
  TileWindowHits& operator=(const TileWindowHits&) = delete;

  // Acts on `TileSprites::current()`; nothing without a window.
  bool animateTileHit(MapBlock& cell) override;
  void showTileOverlay(engine::Vec2 position) override;

  // The overlay shown now, or null.
  BlockSprite* overlay() const;

 private:
  void forgetOverlay();

  BlockSprite* overlay_ = nullptr;  // retained while shown
};
