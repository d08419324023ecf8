#include "ui/hud/quick_slots.h"

#include <algorithm>

#include "content/items/item.h"
#include "content/texts/language_texts.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/overlay_art.h"

namespace {
// A quick-slot frame is 20 points wide; the slots keep four points between them.
constexpr float kSlotPoints = 24.0f;
constexpr float kFramePoints = 20.0f;
constexpr float kBottom = 10.0f;
// A key number stands on its slot's frame, a pixel above it, in the tiny font's line (13 pixels):
// inside the frame a durability bar along its head would cover it.
constexpr float kNumberGap = 1.0f;
constexpr float kNumberHeight = 13.0f;

float frameTopAbove(float centreY) { return centreY + kFramePoints / 2.0f * overlay_art::uiScale(); }
}  // namespace

QuickSlotFace quickSlotFace(const Item* item) {
  QuickSlotFace face;
  if (item == nullptr || item->isNone()) return face;
  face.name = languageTexts().treasureName(item->id);
  if (face.name.empty()) face.name = std::string(1, '#').append(std::to_string(item->id));
  face.id = item->id;
  face.count = item->count;
  const uint16_t most = item->maxDurability();
  if (most > 0) face.durability = std::clamp(static_cast<float>(item->durability) / most, 0.0f, 1.0f);
  return face;
}

QuickSlots::QuickSlots(engine::InnerNode* parent) : parent_(parent), numbers_(engine::InnerNode::create()) {
  if (parent_ != nullptr) parent_->addChild(numbers_, 2);
  placeNumbers();
}

QuickSlots::~QuickSlots() {
  dropSprites();
  numbers_->removeFromParentAndCleanup();
}

void QuickSlots::layOut() {
  placeNumbers();
  clear();
}

void QuickSlots::placeNumbers() {
  const engine::Size window = uiWindowSize();
  pitch_ = kSlotPoints * overlay_art::uiScale();
  left_ = (window.width - kCount * pitch_) / 2.0f;
  numbers_->removeAllChildrenWithCleanup();
  for (int i = 0; i < kCount; ++i) {
    const engine::Vec2 at = centre(i);
    const engine::Vec2 corner(at.x - kFramePoints / 2.0f * overlay_art::uiScale(), frameTopAbove(at.y) + kNumberGap);
    numberLabels_[static_cast<size_t>(i)] = addTextLabel(numbers_, std::to_string((i + 1) % 10), corner, kFontTiny,
                                                         engine::Color3B{220, 220, 220}, engine::Vec2(0.0f, 0.0f));
  }
}

float QuickSlots::barTop() {
  return frameTopAbove(kBottom + kSlotPoints * overlay_art::uiScale() / 2.0f) + kNumberGap + kNumberHeight;
}

engine::Vec2 QuickSlots::centre(int slot) const {
  return engine::Vec2(left_ + (static_cast<float>(slot) + 0.5f) * pitch_, kBottom + pitch_ / 2.0f);
}

int QuickSlots::slotAt(const engine::Vec2& point) const {
  for (int i = 0; i < kCount; ++i) {
    const engine::Vec2 at = centre(i);
    if (engine::Rect(at.x - pitch_ / 2.0f, at.y - pitch_ / 2.0f, pitch_, pitch_).containsPoint(point)) return i;
  }
  return -1;
}

void QuickSlots::makeSprites(Player& player) {
  dropSprites();
  playerId_ = player.playerId();
  faces_.fill({});
  selected_ = -1;
  for (int i = 0; i < kCount; ++i) {
    InventorySprite* sprite =
        InventorySprite::createForSlot(&player, {SlotKind::Quick, static_cast<uint8_t>(i), 0}, centre(i));
    if (sprite == nullptr) continue;
    parent_->addChild(sprite, 1);
    sprites_[static_cast<size_t>(i)] = sprite;
  }
}

void QuickSlots::clear() {
  dropSprites();
  playerId_ = 0;
}

void QuickSlots::dropSprites() {
  for (engine::RefPtr<InventorySprite>& sprite : sprites_) {
    if (sprite == nullptr) continue;
    sprite->detach();
    sprite = nullptr;
  }
}

void QuickSlots::update(Player& player) {
  if (player.playerId() != playerId_) makeSprites(player);
  if (player.inventory == nullptr) return;
  const Inventory& inventory = *player.inventory;
  const int selected = static_cast<int>(inventory.selected());
  for (int i = 0; i < kCount; ++i) {
    const QuickSlotFace face =
        quickSlotFace(inventory.slotItem({SlotKind::Quick, static_cast<uint8_t>(i), 0}));
    const bool wasLit = i == selected_;
    if (face == faces_[static_cast<size_t>(i)] && (i == selected) == wasLit) {
      continue;
    }
    faces_[static_cast<size_t>(i)] = face;
    show(i, i == selected);
  }
  selected_ = selected;
}

void QuickSlots::show(int slot, bool lit) {
  InventorySprite* shown = sprite(slot);
  if (shown == nullptr || shown->slotKind() == nullptr) return;
  shown->setElementState(lit ? shown->slotKind()->selectedId : shown->slotKind()->normalId);
  shown->refreshCount(true);
  shown->updateState(false);
}
