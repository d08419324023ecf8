#include "ui/hud/quick_slots.h"

#include <algorithm>

#include "content/items/item.h"
#include "content/texts/language_texts.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "game/inventory/inventory.h"
#include "ui/widgets/ui_draw.h"

namespace {
constexpr float kBox = 56.0f;
constexpr float kGap = 4.0f;
constexpr float kBottom = 10.0f;
constexpr float kWearHeight = 4.0f;
constexpr size_t kNameLength = 7;
constexpr engine::Color4B kBoxColour{30, 30, 36, 210};
constexpr engine::Color4B kSelectedColour{170, 140, 60, 230};
}  // namespace

QuickSlotFace quickSlotFace(const Item* item) {
  QuickSlotFace face;
  if (item == nullptr || item->isNone()) return face;
  face.name = languageTexts().treasureName(item->id);
  if (face.name.empty()) face.name = std::string(1, '#').append(std::to_string(item->id));
  face.count = item->count;
  const uint16_t most = item->maxDurability();
  if (most > 0) face.durability = std::clamp(static_cast<float>(item->durability) / most, 0.0f, 1.0f);
  return face;
}

QuickSlots::QuickSlots(engine::InnerNode* parent) {
  const engine::Size window = uiWindowSize();
  left_ = (window.width - (kCount * kBox + (kCount - 1) * kGap)) / 2.0f;
  for (int i = 0; i < kCount; ++i) {
    Box& box = boxes_[static_cast<size_t>(i)];
    const engine::Vec2 at = corner(i);
    box.back = addColorLayer(parent, kBoxColour, engine::Size(kBox, kBox), at);
    box.wear = addColorLayer(parent, engine::Color4B{80, 220, 80, 255}, engine::Size(kBox, kWearHeight), at, 1);
    if (box.wear != nullptr) box.wear->setVisible(false);
    box.name = addTextLabel(parent, "", at + engine::Vec2(kBox / 2.0f, kBox - 14.0f), kFontTiny,
                            engine::Color3B::WHITE, engine::Vec2(0.5f, 0.5f), 2);
    box.count = addTextLabel(parent, "", at + engine::Vec2(kBox - 4.0f, 14.0f), kFontSmall,
                             engine::Color3B::WHITE, engine::Vec2(1.0f, 0.5f), 2);
    addTextLabel(parent, std::to_string((i + 1) % 10), at + engine::Vec2(4.0f, 12.0f), kFontTiny,
                 engine::Color3B{160, 160, 160}, engine::Vec2(0.0f, 0.5f), 2);
  }
}

engine::Vec2 QuickSlots::corner(int slot) const {
  return engine::Vec2(left_ + static_cast<float>(slot) * (kBox + kGap), kBottom);
}

int QuickSlots::slotAt(const engine::Vec2& point) const {
  for (int i = 0; i < kCount; ++i) {
    const engine::Vec2 at = corner(i);
    if (engine::Rect(at.x, at.y, kBox, kBox).containsPoint(point)) return i;
  }
  return -1;
}

void QuickSlots::update(const Inventory& inventory) {
  const int selected = static_cast<int>(inventory.selected());
  for (int i = 0; i < kCount; ++i) {
    const QuickSlotFace face =
        quickSlotFace(inventory.slotItem({SlotKind::Quick, static_cast<uint8_t>(i), 0}));
    if (face == faces_[static_cast<size_t>(i)] && (i == selected) == (i == selected_)) continue;
    faces_[static_cast<size_t>(i)] = face;
    show(i, i == selected);
  }
  selected_ = selected;
}

void QuickSlots::show(int slot, bool lit) {
  const QuickSlotFace& face = faces_[static_cast<size_t>(slot)];
  Box& box = boxes_[static_cast<size_t>(slot)];
  if (box.back != nullptr) {
    const engine::Color4B colour = lit ? kSelectedColour : kBoxColour;
    box.back->setColor(engine::Color3B{colour.r, colour.g, colour.b});
  }
  setLabelText(box.name, face.name.substr(0, kNameLength));
  setLabelText(box.count, face.count > 1 ? std::to_string(face.count) : std::string());
  if (box.wear != nullptr) {
    box.wear->setVisible(face.durability >= 0.0f);
    box.wear->setContentSize(engine::Size(kBox * std::max(face.durability, 0.0f), kWearHeight));
  }
}
