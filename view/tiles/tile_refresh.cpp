#include "view/tiles/tile_refresh.h"

#include "view/main_layer.h"
#include "view/player/player_sprite.h"
#include "view/tiles/tile_sprites.h"

void TileRefresh::refreshCell(const MapBlock& cell) {
  TileSprites* window = TileSprites::current();
  if (window == nullptr) return;
  window->updateTileAndNeighbours(cell, TileSprites::kRebuildCell | TileSprites::kRebuildEdgesAround);
  if (MainLayer* layer = MainLayer::current()) layer->requestFrameRelight();
}

void TileRefresh::cellChanged(const MapBlock& cell, uint8_t bits) {
  TileSprites* window = TileSprites::current();
  if (window == nullptr) return;
  // The whole-view re-tint is left to the main layer, once at the end of the frame, however many
  // cells a blast or a liquid step changed.
  constexpr uint8_t kTileBits = TileSprites::kRebuildUp | TileSprites::kRebuildDown | TileSprites::kRebuildLeft |
                                TileSprites::kRebuildRight | TileSprites::kRebuildEdgesAround;
  window->updateTileAndNeighbours(cell, static_cast<uint8_t>(TileSprites::kRebuildCell | (bits & kTileBits)));
  if (MainLayer* layer = MainLayer::current()) layer->requestFrameRelight();
}

void TileRefresh::setFlags(bool batching, bool refreshWanted) {
  if (TileSprites* window = TileSprites::current()) window->setBatching(batching, refreshWanted);
}

bool TileRefresh::refreshWanted() const {
  const TileSprites* window = TileSprites::current();
  return window != nullptr && window->refreshWanted();
}

void TileRefresh::refreshWorldLighting() {
  if (TileSprites* window = TileSprites::current()) window->relightAll();
  PlayerSprite::relightAll();
  if (entityRelight_) entityRelight_();
}
