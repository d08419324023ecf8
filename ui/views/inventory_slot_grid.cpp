#include "ui/views/inventory_slot_grid.h"

#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "game/inventory/inventory.h"
#include "ui/widgets/framed_panel.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/overlay_art.h"

namespace {
constexpr engine::Color3B kCaptionColour{220, 220, 200};
// A page button is a small menu frame, well inside its cell's square, so it reads as a button and
// not as a slot.
constexpr float kButtonShare = 0.75f;

void detachNode(engine::Node* node) {
  if (node->getParent() != nullptr) node->getParent()->removeChild(node);
}
}  // namespace

InventorySlotGrid::~InventorySlotGrid() { clear(); }

float InventorySlotGrid::scaledPitch() { return kCellPoints * overlay_art::uiScale(); }

void InventorySlotGrid::add(engine::InnerNode* parent, Player* player, SlotRef slot, const engine::Vec2& at) {
  InventorySprite* sprite = InventorySprite::createForSlot(player, slot, at);
  if (sprite == nullptr) return;
  parent->addChild(sprite, 1);
  // Made before it had a parent: the pieces come again now that they have somewhere to go.
  sprite->refreshCount(true);
  sprites_.emplace_back(sprite);
}

void InventorySlotGrid::addButton(engine::InnerNode* parent, int32_t step, const engine::Vec2& at) {
  const float side = pitch_ * kButtonShare;
  const engine::Rect box(at.x - side / 2.0f, at.y - side / 2.0f, side, side);
  engine::InnerNode* node = addFramedPanel(parent, box, engine::Color3B::WHITE, 1);
  if (node == nullptr) return;
  addTextLabel(node, step > 0 ? ">" : "<", at, kFontSmall, kCaptionColour, engine::Vec2(0.5f, 0.5f), 1);
  buttons_.push_back({step, box, engine::RefPtr<engine::InnerNode>(node)});
}

void InventorySlotGrid::build(engine::InnerNode* parent, Player* player, const engine::Vec2& topLeft,
                              const PageCells& page) {
  clear();
  pitch_ = scaledPitch();
  auto place = [&](float column, float row) { return engine::Vec2(topLeft.x + column * pitch_, topLeft.y - row * pitch_); };
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) add(parent, player, {SlotKind::Quick, x, 0}, place(x, 0));
  for (uint8_t y = 0; y < Inventory::kBackpackSide && !page.hidesBackpack; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      add(parent, player, {SlotKind::Backpack, x, y}, place(x, kBackpackFirstRow + y));
    }
  }
  for (const PageCell& cell : page.cells) add(parent, player, cell.slot, place(cell.column, cell.row));
  for (const PageCaption& caption : page.captions) {
    engine::Label* label = addTextLabel(parent, caption.text, place(caption.column, caption.row), kFontSmall,
                                        kCaptionColour, engine::Vec2(0.5f, 0.5f), 1);
    if (label != nullptr) captions_.emplace_back(label);
  }
  for (const PageButton& button : page.buttons) addButton(parent, button.step, place(button.column, button.row));
}

void InventorySlotGrid::clear() {
  for (InventorySprite* sprite : sprites_) sprite->detach();
  sprites_.clear();
  for (engine::Label* label : captions_) detachNode(label);
  captions_.clear();
  for (ShownButton& button : buttons_) detachNode(button.node.get());
  buttons_.clear();
  // Built again, the cells may take another scale's pitch.
  pitch_ = 0;
}

InventorySprite* InventorySlotGrid::spriteAt(const engine::Vec2& point) const {
  const float half = pitch_ / 2.0f;
  for (InventorySprite* sprite : sprites_) {
    const engine::Vec2 at = sprite->getPosition();
    if (engine::Rect(at.x - half, at.y - half, pitch_, pitch_).containsPoint(point)) return sprite;
  }
  return nullptr;
}

int32_t InventorySlotGrid::pageStepAt(const engine::Vec2& point) const {
  for (const ShownButton& button : buttons_) {
    if (button.box.containsPoint(point)) return button.step;
  }
  return 0;
}

int32_t InventorySlotGrid::pageStep(bool onwards) const {
  for (const ShownButton& button : buttons_) {
    if ((button.step > 0) == onwards) return button.step;
  }
  return 0;
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
