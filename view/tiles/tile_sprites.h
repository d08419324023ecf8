#pragma once
// The window of block sprites around the local player: a grid of columns by rows of records (see
// tile_sprite_record.h), centred on the player's cell. A step of one cell rotates the grid by one
// column or row and rebuilds only the new edge; a jump (teleport, respawn, the wrap seam) recentres
// and rebuilds the whole window. Records are tinted from the cell light, flat or, with smooth
// lighting, with a colour per corner.
//
// Block sprites go to the block batch, liquids to the additive batch; both batches belong to the
// atlas loader. Released sprites wait in a pool (sprite_pool.h) for the next slot of the same
// batch and z order, so a scroll step neither removes quads nor re-sorts a batch.
//
// One window is shown at a time (`current`); every operation does nothing on cells outside it.
// Main thread only.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/base/ref_ptr.h"
#include "view/tiles/sprite_pool.h"
#include "view/tiles/tile_sprite_record.h"

namespace engine {
class Sprite;
class SpriteBatchNode;
}  // namespace engine

class BlockSprite;
class MapBlock;
class SeepingMemo;
class World;

class TileSprites {
 public:
  // Bits of a cell-change notice (`updateTileAndNeighbours`).
  static constexpr uint8_t kRebuildCell = 1;
  static constexpr uint8_t kRebuildUp = 2;
  static constexpr uint8_t kRebuildDown = 4;
  static constexpr uint8_t kRebuildLeft = 8;
  static constexpr uint8_t kRebuildRight = 16;
  static constexpr uint8_t kRebuildEdgesAround = 32;
  static constexpr uint8_t kRelightView = 64;

  TileSprites(engine::SpriteBatchNode* blockBatch, engine::SpriteBatchNode* additiveBatch);
  ~TileSprites();
  TileSprites(const TileSprites&) = delete;
  TileSprites& operator=(const TileSprites&) = delete;

  // The window shown now, or null.
  static TileSprites* current();
  static void setCurrent(TileSprites* window);

  // ---- Shape ----
  // Frees the window and makes one of the counts with empty records; the centre is set next.
  void rebuildWindow(World* world, uint16_t columns, uint16_t rows);
  void free();
  void setCentre(int32_t x, int32_t y) {
    centreX_ = x;
    centreY_ = y;
  }
  int columns() const { return columns_; }
  int rows() const { return rows_; }
  int32_t centreX() const { return centreX_; }
  int32_t centreY() const { return centreY_; }
  int32_t worldWidth() const;
  World* world() const { return world_; }
  void setSmoothLighting(bool on) { smooth_ = on; }
  bool smoothLighting() const { return smooth_; }

  // ---- Records ----
  // The record of the cell inside the window (the shorter way across the seam), or null.
  TileSpriteRecord* at(const MapBlock& cell);
  TileSpriteRecord* record(int column, int row) { return grid_[column][row]; }
  // The map cell window column i, row j shows now, or null outside the map.
  MapBlock* cellOf(int column, int row) const;
  void update(TileSpriteRecord& record, MapBlock& cell);
  void updateAt(const MapBlock& cell);
  // Rebuilds the liquid whose frame depends on the cell: the full cells under it and a source over it.
  void updateLiquidAround(const MapBlock& cell);
  void rebuildRecord(int column, int row);
  void updateSideOverlaysAround(const MapBlock& cell);
  // A cell that now covers the open air below it, or no longer does: the shown cells beneath it
  // with nothing behind them show the cave wall or the sky again (cave_backdrop.h).
  void updateBackdropBelow(const MapBlock& cell);
  // Flags as above. A whole-view re-tint asked for while a liquid step or a blast is applied is
  // only marked; the batch re-tints once at its end.
  void updateTileAndNeighbours(const MapBlock& cell, uint8_t flags);

  // Whether a cell of the window shows the sky through it: then the sky must be drawn, however
  // deep the player stands (a pit, a crater or a cliff below the surface line opens onto it).
  bool showsSky() const;

  // ---- Following the player ----
  void scrollRight();
  void scrollLeft();
  void scrollUp();
  void scrollDown();
  // The player's cell changed: one step each way scrolls, anything else recentres.
  void follow(int32_t column, int32_t row);
  // Rebuilds the whole window around the cell. Every sprite of the batches that is not the window's
  // own leaves them (a refusal or hit mark among them: its owner sees it parentless and makes a new
  // one); the highlight sprite (when set) goes back to the block batch at z 21.
  void recentre(int32_t column, int32_t row);
  // Held with a count of its own: the window may outlive the layer's reference, and `free` empties
  // the batch it sits in.
  void setHighlightSprite(engine::Sprite* sprite);
  // The pointed cell's block preview, kept in the block batch under the highlight the same way.
  void setPreviewSprite(engine::Sprite* sprite);

  // ---- Light ----
  // Rebuilds every record from its cell.
  void relight();
  // Re-tints every record without rebuilding it.
  void relightAll();
  void releaseAll();

  // ---- Deferred whole-view re-tints ----
  void setBatching(bool batching, bool refreshWanted) {
    batching_ = batching;
    refreshWanted_ = refreshWanted;
  }
  bool batching() const { return batching_; }
  bool refreshWanted() const { return refreshWanted_; }

  const SpritePool& pool() const { return pool_; }
  engine::SpriteBatchNode* blockBatch() const { return blockBatch_; }
  engine::SpriteBatchNode* additiveBatch() const { return additiveBatch_; }

 private:
  // ---- Rebuild of one record (tile_sprites_build.cpp) ----
  void buildFront(TileSpriteRecord& r, const MapBlock& cell);
  void buildBack(TileSpriteRecord& r, const MapBlock& cell);
  void buildSides(TileSpriteRecord& r, const MapBlock& cell);
  void buildExtraLayers(TileSpriteRecord& r, const MapBlock& cell);
  void buildLiquid(TileSpriteRecord& r, const MapBlock& cell);
  void glowLava(TileSpriteRecord& r, const MapBlock& cell);
  void buildCircuitOverlay(TileSpriteRecord& r, const MapBlock& cell);
  void tint(TileSpriteRecord& r, const MapBlock& cell);
  // The slot's sprite showing the rectangle: the one already there, a pooled one of the batch and
  // z order, or a new one.
  BlockSprite* obtain(TileSpriteRecord& r, int slot, engine::SpriteBatchNode* batch, int z, const engine::Rect& rect);
  void place(BlockSprite* sprite, const MapBlock& cell);
  void releaseSlot(TileSpriteRecord& r, int slot);
  void releaseRecord(TileSpriteRecord& r);
  bool hidesBehind(const MapBlock& cell) const;
  uint32_t darkness() const;
  // Runs a pass of re-tints over `columns` x `rows` cells with a memo of the daylight seeping
  // into them, which their neighbours' corners read again.
  template <typename Pass>
  void withSeepingMemo(int columns, int rows, Pass&& pass);

  engine::SpriteBatchNode* blockBatch_ = nullptr;     // retained
  engine::SpriteBatchNode* additiveBatch_ = nullptr;  // retained
  engine::RefPtr<engine::Sprite> highlight_;
  engine::RefPtr<engine::Sprite> preview_;
  World* world_ = nullptr;
  std::vector<TileSpriteRecord> records_;
  std::vector<std::vector<TileSpriteRecord*>> grid_;  // grid_[column][row], row 0 at the bottom
  SpritePool pool_;
  int32_t centreX_ = 0;
  int32_t centreY_ = 0;
  int16_t columns_ = 0;
  int16_t rows_ = 0;
  bool smooth_ = true;
  SeepingMemo* seeping_ = nullptr;  // while a pass of re-tints runs
  bool batching_ = false;
  bool refreshWanted_ = false;
};
