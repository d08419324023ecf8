// The inventory view's bulk buttons: stacking the backpack into the open container, taking the
// container's first stacks, compacting the backpack and emptying the craft grid into it.

#include <utility>

#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/inventory/open_block_items.h"
#include "world/blocks/logic_block.h"

namespace {

bool isEmpty(const Item* item) { return item == nullptr || item->isNone(); }

// Backpack indexes walked from the last slot backwards: columns 5..0, rows 5..0 within each.
template <typename Visit>
void walkBackpackBackwards(Visit visit) {
  for (int x = Inventory::kBackpackSide - 1; x >= 0; --x) {
    for (int y = Inventory::kBackpackSide - 1; y >= 0; --y) {
      if (!visit(x + Inventory::kBackpackSide * y)) return;
    }
  }
}

}  // namespace

void Inventory::stackIntoContainer() {
  LogicBlock* open = owner_ != nullptr ? owner_->openBlockEntity() : nullptr;
  LogicItemBlock* block = writableItemBlock(open);
  if (block == nullptr) return;
  walkBackpackBackwards([&](int index) {
    ItemPtr& stack = backpack_[index];
    if (isEmpty(stack.get())) return true;
    for (size_t i = 0; i < block->slotCount(); ++i) {
      Item* target = block->itemAt(i);
      if (isEmpty(target) || !mergeInto(*target, stack)) continue;
      // Stored again as it is, so that whoever watches the entity learns the new count.
      setOpenBlockItem(open, i, block->takeItem(i));
      break;
    }
    return true;
  });
}

void Inventory::compactBackpack() {
  walkBackpackBackwards([&](int index) {
    ItemPtr& stack = backpack_[index];
    if (isEmpty(stack.get())) return true;
    // Earlier slots in the same backwards order are the ones visited after this one.
    bool after = false;
    walkBackpackBackwards([&](int other) {
      if (other == index) {
        after = true;
        return true;
      }
      if (!after || isEmpty(backpack_[other].get())) return true;
      return !mergeInto(*backpack_[other], stack);
    });
    return true;
  });
}

// Merged whole into a backpack stack (backwards order), else into the first empty slot; the
// item is left with the caller when it found no place.
void Inventory::storeInBackpack(ItemPtr& item) {
  walkBackpackBackwards([&](int index) {
    return isEmpty(backpack_[index].get()) || !mergeInto(*backpack_[index], item);
  });
  if (item == nullptr) return;
  for (int x = 0; x < kBackpackSide; ++x) {
    for (int y = 0; y < kBackpackSide; ++y) {
      ItemPtr& slot = backpack_[x + kBackpackSide * y];
      if (slot != nullptr) continue;
      slot = std::move(item);
      return;
    }
  }
}

void Inventory::takeContainerItems(int count) {
  LogicBlock* open = owner_ != nullptr ? owner_->openBlockEntity() : nullptr;
  if (LogicItemBlock* block = writableItemBlock(open)) {
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
      if (isEmpty(block->itemAt(i))) continue;
      // Whatever finds no place goes back; the entity hears of the slot either way.
      ItemPtr item = block->takeItem(i);
      storeInBackpack(item);
      setOpenBlockItem(open, i, std::move(item));
    }
  }
  compactBackpack();
}

void Inventory::returnCraftGridItems() {
  compactBackpack();
  for (ItemPtr& item : craftGrid_) {
    if (!isEmpty(item.get())) storeInBackpack(item);
  }
}

void Inventory::useOneOf(SlotRef slot) {
  Item* item = slotItem(slot);
  if (item == nullptr) return;
  if (item->count > 1) {
    --item->count;
    return;
  }
  takeSlot(slot);  // the emptied stack goes back to the pool with the returned pointer
}
