// The tile window's shape and motion: the grid, finding a cell's record, scrolling, recentring and
// the whole-window passes. What one record shows is built in tile_sprites_build.cpp.

#include "view/tiles/tile_sprites.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "content/art/block_atlas_layout.h"
#include "engine/base/ref.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/director.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "view/tiles/block_sprite.h"
#include "view/tiles/seeping_memo.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

TileSprites*& currentSlot() {
  static TileSprites* window = nullptr;
  return window;
}

constexpr int kHighlightZ = 21;

}  // namespace

TileSprites::TileSprites(engine::SpriteBatchNode* blockBatch, engine::SpriteBatchNode* additiveBatch)
    : blockBatch_(blockBatch), additiveBatch_(additiveBatch) {
  if (blockBatch_ != nullptr) blockBatch_->retain();
  if (additiveBatch_ != nullptr) additiveBatch_->retain();
}

TileSprites::~TileSprites() {
  free();
  if (currentSlot() == this) currentSlot() = nullptr;
  engine::safeRelease(blockBatch_);
  engine::safeRelease(additiveBatch_);
}

TileSprites* TileSprites::current() { return currentSlot(); }

void TileSprites::setHighlightSprite(engine::Sprite* sprite) { highlight_ = sprite; }
void TileSprites::setPreviewSprite(engine::Sprite* sprite) { preview_ = sprite; }

void TileSprites::setCurrent(TileSprites* window) { currentSlot() = window; }

int32_t TileSprites::worldWidth() const { return world_ != nullptr ? world_->map().width() : 0; }

uint32_t TileSprites::darkness() const { return world_ != nullptr ? world_->dayClock().darkness : 0; }

void TileSprites::rebuildWindow(World* world, uint16_t columns, uint16_t rows) {
  free();
  world_ = world;
  columns_ = static_cast<int16_t>(columns);
  rows_ = static_cast<int16_t>(rows);
  records_.assign(static_cast<size_t>(columns) * rows, TileSpriteRecord{});
  grid_.assign(columns, std::vector<TileSpriteRecord*>(rows, nullptr));
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) grid_[i][j] = &records_[static_cast<size_t>(i) * rows + j];
  }
}

void TileSprites::free() {
  // Every window sprite is a child of one of the two batches: emptying them at once costs one
  // pass, where removing sprite by sprite would move the quads after each one.
  for (TileSpriteRecord& r : records_) r.sprites.fill(nullptr);
  pool_.forget();
  if (!records_.empty()) {
    if (blockBatch_ != nullptr) blockBatch_->removeAllChildrenWithCleanup();
    if (additiveBatch_ != nullptr) additiveBatch_->removeAllChildrenWithCleanup();
  }
  grid_.clear();
  records_.clear();
  columns_ = rows_ = 0;
  world_ = nullptr;
}

MapBlock* TileSprites::cellOf(int column, int row) const {
  if (world_ == nullptr) return nullptr;
  return world_->map().cellAt(centreX_ - columns_ / 2 + column, centreY_ - rows_ / 2 + row);
}

TileSpriteRecord* TileSprites::at(const MapBlock& cell) {
  if (world_ == nullptr || grid_.empty()) return nullptr;
  const int32_t width = world_->map().width();
  int32_t dx = static_cast<int32_t>(cell.x) - centreX_;
  if (-dx > width / 2) dx += width;
  if (-dx < -(width / 2)) dx -= width;
  const int32_t column = columns_ / 2 + dx;
  const int32_t row = rows_ / 2 + (static_cast<int32_t>(cell.y) - centreY_);
  if (column < 0 || column >= columns_ || row < 0 || row >= rows_) return nullptr;
  return grid_[column][row];
}

void TileSprites::updateAt(const MapBlock& cell) {
  if (TileSpriteRecord* r = at(cell)) update(*r, const_cast<MapBlock&>(cell));
}

void TileSprites::rebuildRecord(int column, int row) {
  TileSpriteRecord& r = *grid_[column][row];
  releaseRecord(r);
  r.cell = nullptr;
  if (MapBlock* cell = cellOf(column, row)) update(r, *cell);
}

void TileSprites::updateTileAndNeighbours(const MapBlock& cell, uint8_t flags) {
  if (world_ == nullptr) return;
  WorldMap& map = world_->map();
  if ((flags & kRebuildCell) != 0) {
    updateAt(cell);
    updateLiquidAround(cell);
  }
  const struct {
    uint8_t flag;
    int dx, dy;
  } kNeighbours[] = {{kRebuildLeft, -1, 0}, {kRebuildRight, 1, 0}, {kRebuildUp, 0, 1}, {kRebuildDown, 0, -1}};
  for (const auto& n : kNeighbours) {
    if ((flags & n.flag) == 0) continue;
    if (const MapBlock* near = map.cellAt(static_cast<int32_t>(cell.x) + n.dx, static_cast<int32_t>(cell.y) + n.dy)) {
      updateAt(*near);
    }
  }
  if ((flags & kRebuildEdgesAround) != 0) {
    updateSideOverlaysAround(cell);
    updateBackdropBelow(cell);
  }
  if ((flags & kRelightView) != 0) {
    if (batching_) {
      refreshWanted_ = true;
    } else {
      relightAll();
    }
  }
}

void TileSprites::updateLiquidAround(const MapBlock& cell) {
  WorldMap& map = world_->map();
  // The liquid below takes its depth from the cells above it, down to the deepest band.
  for (int dy = 1; dy <= art::kLiquidDepthBands; ++dy) {
    const MapBlock* below = map.cellAt(cell.x, int32_t(cell.y) - dy);
    if (below == nullptr || !below->hasLiquidLevel()) break;
    updateAt(*below);
  }
  // A source above flows or lies still by what this cell holds.
  const MapBlock* above = map.cellAt(cell.x, int32_t(cell.y) + 1);
  if (above != nullptr && above->hasFlag(cell_flag::kLiquidSource)) updateAt(*above);
}

void TileSprites::updateBackdropBelow(const MapBlock& cell) {
  WorldMap& map = world_->map();
  for (int32_t y = static_cast<int32_t>(cell.y) - 1;; --y) {
    MapBlock* below = map.cellAt(cell.x, y);
    if (below == nullptr || hidesBehind(*below)) return;
    TileSpriteRecord* r = at(*below);
    if (r == nullptr) return;  // below the window: drawn when it scrolls in
    if (below->backId() == 0) update(*r, *below);
  }
}

void TileSprites::updateSideOverlaysAround(const MapBlock& cell) {
  if (world_ == nullptr) return;
  static constexpr int kAround[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (const auto& d : kAround) {
    const MapBlock* near = world_->map().cellAt(static_cast<int32_t>(cell.x) + d[0], static_cast<int32_t>(cell.y) + d[1]);
    if (near == nullptr) continue;
    if (TileSpriteRecord* r = at(*near)) buildSides(*r, *near);
  }
}

template <typename Pass>
void TileSprites::withSeepingMemo(int columns, int rows, Pass&& pass) {
  SeepingMemo memo(columns, rows);
  SeepingMemo* outer = std::exchange(seeping_, &memo);
  pass();
  seeping_ = outer;
}

// ---- Following the player ----

bool TileSprites::showsSky() const {
  for (const std::vector<TileSpriteRecord*>& column : grid_) {
    for (const TileSpriteRecord* r : column) {
      if (r != nullptr && r->cell != nullptr && r->showsSky) return true;
    }
  }
  return false;
}

void TileSprites::scrollRight() {
  ++centreX_;
  std::rotate(grid_.begin(), grid_.begin() + 1, grid_.end());
  withSeepingMemo(1, rows_, [this] {
    for (int j = 0; j < rows_; ++j) rebuildRecord(columns_ - 1, j);
  });
}

void TileSprites::scrollLeft() {
  --centreX_;
  std::rotate(grid_.rbegin(), grid_.rbegin() + 1, grid_.rend());
  withSeepingMemo(1, rows_, [this] {
    for (int j = 0; j < rows_; ++j) rebuildRecord(0, j);
  });
}

void TileSprites::scrollUp() {
  ++centreY_;
  for (auto& column : grid_) std::rotate(column.begin(), column.begin() + 1, column.end());
  withSeepingMemo(columns_, 1, [this] {
    for (int i = 0; i < columns_; ++i) rebuildRecord(i, rows_ - 1);
  });
}

void TileSprites::scrollDown() {
  --centreY_;
  for (auto& column : grid_) std::rotate(column.rbegin(), column.rbegin() + 1, column.rend());
  withSeepingMemo(columns_, 1, [this] {
    for (int i = 0; i < columns_; ++i) rebuildRecord(i, 0);
  });
}

void TileSprites::follow(int32_t column, int32_t row) {
  if (grid_.empty() || (column == centreX_ && row == centreY_)) return;
  const int32_t dx = column - centreX_;
  const int32_t dy = row - centreY_;
  if (std::abs(dx) > 1 || std::abs(dy) > 1) {
    recentre(column, row);
    return;
  }
  if (dx == 1) scrollRight();
  if (dx == -1) scrollLeft();
  if (dy == 1) scrollUp();
  if (dy == -1) scrollDown();
}

void TileSprites::recentre(int32_t column, int32_t row) {
  if (highlight_ != nullptr) engine::Director::getInstance()->getActionManager()->removeAllActionsFromTarget(highlight_);
  releaseAll();
  // Everything but the pooled window sprites leaves the two batches; the pooled ones wait for
  // the rebuild below, which takes them back without re-sorting the batch.
  for (engine::SpriteBatchNode* batch : {blockBatch_, additiveBatch_}) {
    if (batch == nullptr) continue;
    std::vector<engine::Node*> foreign;
    for (engine::Node* child : batch->getChildren()) {
      auto* sprite = dynamic_cast<BlockSprite*>(child);
      if ((sprite == nullptr || !sprite->pooled()) && child != highlight_ && child != preview_) foreign.push_back(child);
    }
    for (engine::Node* child : foreign) batch->removeChild(child);
  }
  // The preview first, so the highlight's frame draws over it.
  for (engine::Sprite* kept : {preview_.get(), highlight_.get()}) {
    if (kept == nullptr || blockBatch_ == nullptr || kept->getParent() == blockBatch_) continue;
    if (engine::Node* parent = kept->getParent()) parent->removeChild(kept);
    blockBatch_->addChild(kept, kHighlightZ, -1);
  }
  setCentre(column, row);
  withSeepingMemo(columns_, rows_, [this] { relight(); });
}

// ---- Whole-window passes ----

void TileSprites::relight() {
  for (int i = 0; i < columns_; ++i) {
    for (int j = 0; j < rows_; ++j) {
      TileSpriteRecord& r = *grid_[i][j];
      MapBlock* cell = cellOf(i, j);
      if (cell == nullptr) {
        releaseRecord(r);
        r.cell = nullptr;
        continue;
      }
      update(r, *cell);
    }
  }
}

void TileSprites::relightAll() {
  withSeepingMemo(columns_, rows_, [this] {
    for (int j = rows_ - 1; j >= 0; --j) {
      for (int i = 0; i < columns_; ++i) {
        TileSpriteRecord& r = *grid_[i][j];
        if (r.cell != nullptr) tint(r, *r.cell);
      }
    }
  });
}

void TileSprites::releaseAll() {
  for (TileSpriteRecord& r : records_) releaseRecord(r);
}

void TileSprites::releaseRecord(TileSpriteRecord& r) {
  for (int slot = 0; slot < TileSpriteRecord::kSlots; ++slot) releaseSlot(r, slot);
}

void TileSprites::releaseSlot(TileSpriteRecord& r, int slot) {
  BlockSprite* sprite = r.sprites[slot];
  if (sprite == nullptr) return;
  r.sprites[slot] = nullptr;
  if (sprite->getParent() != nullptr) pool_.put(sprite);
}
