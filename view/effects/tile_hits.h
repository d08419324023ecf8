#pragma once
// What the world effects ask of the tile window: a hit tile's sprites shake, and the refusal
// overlay shows over a cell for a moment. The tile window answers for the running world; tests
// record the calls.

#include "engine/base/geometry.h"

class MapBlock;

class TileHits {
 public:
  virtual ~TileHits() = default;
  // Shakes the cell's sprites; false when the cell is outside the window.
  virtual bool animateTileHit(MapBlock& cell) = 0;
  // Shows the overlay tile at a pixel position for 0.6 s.
  virtual void showTileOverlay(engine::Vec2 position) = 0;
};

// No window: nothing shakes and nothing shows.
class NoTileHits final : public TileHits {
 public:
  bool animateTileHit(MapBlock&) override { return false; }
  void showTileOverlay(engine::Vec2) override {}
};
