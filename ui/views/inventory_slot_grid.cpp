#include "ui/views/inventory_slot_grid.h"

#include "engine/scene/inner_node.h"
#include "game/inventory/inventory.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/overlay_art.h"


InventorySlotGrid::~InventorySlotGrid() { clear(); }

void InventorySlotGrid::build(engine::InnerNode* parent, Player* player, const engine::Vec2& topLeft) {
  clear();
  pitch_ = kCellPoints * overlay_art::uiScale();
  auto add = [&](SlotRef slot, const engine::Vec2& at) {
    InventorySprite* sprite = InventorySprite::createForSlot(player, slot, at);
    if (sprite == nullptr) return;
    sprite->retain();
    parent->addChild(sprite, 1);
    // Made before it had a parent: the pieces come again now that they have somewhere to go.
    sprite->refreshCount(true);
    sprites_.push_back(sprite);
  };
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) {
    add({SlotKind::Quick, x, 0}, engine::Vec2(topLeft.x + x * pitch_, topLeft.y));
  }
  // Half a cell between the quick row and the backpack.
  const float backpackTop = topLeft.y - 1.5f * pitch_;
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      add({SlotKind::Backpack, x, y}, engine::Vec2(topLeft.x + x * pitch_, backpackTop - y * pitch_));
    }
  }
}

void InventorySlotGrid::clear() {
  for (InventorySprite* sprite : sprites_) {
    sprite->detach();
    sprite->release();
  }
  sprites_.clear();
}

InventorySprite* InventorySlotGrid::spriteAt(const engine::Vec2& point) const {
  const float half = pitch_ / 2.0f;
  for (InventorySprite* sprite : sprites_) {
    const engine::Vec2 at = sprite->getPosition();
    if (engine::Rect(at.x - half, at.y - half, pitch_, pitch_).containsPoint(point)) return sprite;
  }
  return nullptr;
}

InventorySprite* InventorySlotGrid::spriteFor(SlotRef slot) const {
  for (InventorySprite* sprite : sprites_) {
    if (sprite->slot() == slot) return sprite;
  }
  return nullptr;
}

void InventorySlotGrid::refreshAll() {
  for (InventorySprite* sprite : sprites_) sprite->refreshCount(true);
}
