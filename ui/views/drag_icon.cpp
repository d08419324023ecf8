#include "ui/views/drag_icon.h"

#include "content/art/item_atlas_layout.h"
#include "content/art/item_icon_of.h"
#include "content/items/item.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "view/inventory/overlay_art.h"

namespace {
// Over every cell's icon, count and mark.
constexpr int kOverCells = 200;
}  // namespace

DragIcon::~DragIcon() { hide(); }

void DragIcon::show(const Item& item, const engine::Vec2& point, float scale, engine::InnerNode* fallback) {
  hide();
  engine::Sprite* sprite =
      engine::Sprite::createWithTextureRect(overlay_art::iconTexture(), art::itemIconRectOf(item));
  engine::InnerNode* parent = overlay_art::iconBatch() != nullptr ? overlay_art::iconBatch() : fallback;
  if (sprite == nullptr || parent == nullptr) return;
  sprite->setScale(scale);
  sprite->setPosition(point);
  parent->addChild(sprite, kOverCells);
  sprite_ = sprite;
}

void DragIcon::moveTo(const engine::Vec2& point) {
  if (sprite_ != nullptr) sprite_->setPosition(point);
}

void DragIcon::hide() {
  if (sprite_ == nullptr) return;
  if (sprite_->getParent() != nullptr) sprite_->getParent()->removeChild(sprite_);
  sprite_ = nullptr;
}

engine::Vec2 DragIcon::position() const { return sprite_ != nullptr ? sprite_->getPosition() : engine::Vec2(); }
