#pragma once
// What the tests read of the open chest's part of the inventory view: the chest slots its cells
// show and the middle of a page button, as a pointer would find them.

#include <cstddef>
#include <vector>

#include "engine/scene/inner_node.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"

namespace ui_test {

inline SlotRef chestSlot(size_t index) { return {SlotKind::Chest, static_cast<uint8_t>(index), 0}; }

// The chest slots whose cells are shown, in the order the view made them.
inline std::vector<size_t> shownChestSlots(const InventoryView& view) {
  std::vector<size_t> shown;
  for (InventorySprite* cell : view.grid().sprites()) {
    if (cell->slot().kind == SlotKind::Chest) shown.push_back(cell->slot().x);
  }
  return shown;
}

// The middle of the button that pages on (or back); (-1, -1) while none is offered.
inline engine::Vec2 pageButtonPoint(const InventoryView& view, bool onwards) {
  for (const InventorySlotGrid::ShownButton& button : view.grid().pageButtons()) {
    const engine::Rect& box = button.box;
    if ((button.step > 0) == onwards) return {box.getMinX() + box.size.width / 2, box.getMinY() + box.size.height / 2};
  }
  return {-1, -1};
}

}  // namespace ui_test
