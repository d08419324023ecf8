#include "view/effects/tile_hits_window.h"

#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/director.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/sequence.h"
#include "engine/sprite/sprite_batch_node.h"
#include "view/tiles/block_sprite.h"
#include "view/tiles/tile_sprites.h"
#include "world/cells/map_block.h"

namespace {

float signOf(float value) { return value > 0 ? 1.0f : (value < 0 ? -1.0f : 0.0f); }

void shake(BlockSprite* sprite) {
  if (sprite == nullptr) return;
  engine::Director::getInstance()->getActionManager()->addAction(makeHitShakeAction(*sprite), sprite);
}

}  // namespace

engine::FiniteTimeAction* makeHitShakeAction(const engine::Node& sprite) {
  const float sx = signOf(sprite.getScaleX());
  const float sy = signOf(sprite.getScaleY());
  auto* grow = engine::Sequence::createWithTwoActions(engine::ScaleTo::createXY(0.01f, 1.1f * sx, 1.1f * sy),
                                                      engine::ScaleTo::createXY(0.01f, 1.1f * sx, 1.1f * sy));
  auto* action = engine::Sequence::createWithTwoActions(grow, engine::ScaleTo::createXY(0.02f, sx, sy));
  action->setTag(TileWindowHits::kShakeTag);
  return action;
}

TileWindowHits::~TileWindowHits() { forgetOverlay(); }

bool TileWindowHits::animateTileHit(MapBlock& cell) {
  TileSprites* window = TileSprites::current();
  TileSpriteRecord* record = window != nullptr ? window->at(cell) : nullptr;
  if (record == nullptr) return false;
  BlockSprite* front = record->sprites[TileSpriteRecord::kFront];
  const bool backSide = front == nullptr;
  shake(backSide ? record->sprites[TileSpriteRecord::kBack] : front);
  for (int i = 0; i < 4; ++i) {
    const MapDeco deco = cell.decos[i];
    if (map_deco::empty(deco) || (map_deco::side(deco) != 0) != backSide) continue;
    shake(record->sprites[TileSpriteRecord::kFirstDeco + i]);
  }
  return true;
}

BlockSprite* TileWindowHits::overlay() const {
  // A recentred window took the overlay out of its batch: that one is gone.
  return overlay_ != nullptr && overlay_->getParent() != nullptr ? overlay_ : nullptr;
}

void TileWindowHits::forgetOverlay() {
  if (overlay_ == nullptr) return;
  engine::Director::getInstance()->getActionManager()->removeAllActionsFromTarget(overlay_);
  if (engine::Node* parent = overlay_->getParent()) parent->removeChild(overlay_);
  // Later, not now: this may run inside the overlay's own last action.
  overlay_->autorelease();
  overlay_ = nullptr;
}

void TileWindowHits::showTileOverlay(engine::Vec2 position) {
  TileSprites* window = TileSprites::current();
  if (window == nullptr || window->blockBatch() == nullptr) return;
  engine::ActionManager* actions = engine::Director::getInstance()->getActionManager();
  BlockSprite* sprite = overlay();
  if (sprite == nullptr) {
    forgetOverlay();
    sprite = BlockSprite::create(window->blockBatch(), kOverlayBlock, 0, BlockSprite::kFrontKind, 0);
    if (sprite == nullptr) return;
    window->blockBatch()->reorderChild(sprite, kOverlayZ);
    sprite->retain();
    overlay_ = sprite;
  } else {
    actions->removeAllActionsFromTarget(sprite);
  }
  sprite->setPosition(position);
  auto* end = engine::CallFunc::create([this] { forgetOverlay(); });
  actions->addAction(engine::Sequence::createWithTwoActions(engine::DelayTime::create(kOverlaySeconds), end), sprite);
}
