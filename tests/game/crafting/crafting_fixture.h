#pragma once
// An inventory without a world or owner, with helpers to lay items into its craft grid.

#include <string_view>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "game/crafting/craft_grid_match.h"
#include "game/inventory/inventory.h"
#include "tests/game/content_rows.h"

namespace crafting_test {

constexpr uint16_t E = 0xFFFF;  // an empty grid cell

class CraftingTest : public test_rows::ContentTest {
 protected:
  // Nine ids row by row; E leaves the cell empty.
  void lay(std::initializer_list<uint16_t> cells) {
    int cell = 0;
    for (uint16_t id : cells) {
      const SlotRef slot = craftGridSlot(cell++);
      inventory.setSlot(slot, ItemPtr(id == E ? nullptr : newItem(id, 0, 1, 0, 0)));
    }
  }
  void carry(uint16_t id, uint16_t count) {
    Item item(id, 0, count, 0, 0);
    bool newSlot = false;
    inventory.findSlotFor(&item, newSlot);
  }
  Item* output() const { return inventory.slotItem({SlotKind::Single, 0, 0}); }

  Inventory inventory{nullptr, nullptr};
};

}  // namespace crafting_test
