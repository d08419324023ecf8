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
