// The inventory view's bulk buttons: stacking the backpack into the open container, taking the
// container's first stacks, compacting the backpack and emptying the craft grid into it.

#include <utility>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "game/inventory/inventory.h"
#include "world/blocks/chest.h"

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
  auto* chest = dynamic_cast<Chest*>(owner_ != nullptr ? owner_->openBlockEntity() : nullptr);
  if (chest == nullptr) return;
  walkBackpackBackwards([&](int index) {
    Item*& stack = backpack_[index];
    if (isEmpty(stack)) return true;
    for (size_t i = 0; i < chest->slotCount(); ++i) {
      Item* target = chest->itemAt(i);
      if (isEmpty(target) || target == stack || !mergeItems(*target, *stack)) continue;
      freeItem(stack);
      stack = nullptr;
      chest->setItem(static_cast<int32_t>(i), target);
      break;
    }
    return true;
  });
}

void Inventory::compactBackpack() {
  walkBackpackBackwards([&](int index) {
    Item*& stack = backpack_[index];
    if (isEmpty(stack)) return true;
    // Earlier slots in the same backwards order are the ones visited after this one.
    bool after = false;
    walkBackpackBackwards([&](int other) {
      if (other == index) {
        after = true;
        return true;
      }
      if (!after || isEmpty(backpack_[other])) return true;
      return !mergeInto(backpack_[other], stack);
    });
    return true;
  });
}

// Merged whole into a backpack stack (backwards order), else into the first empty slot; the item
// pointer is cleared when it found a place.
void Inventory::storeInBackpack(Item*& item) {
  walkBackpackBackwards([&](int index) {
    return isEmpty(backpack_[index]) || !mergeInto(backpack_[index], item);
  });
  if (item == nullptr) return;
  for (int x = 0; x < kBackpackSide; ++x) {
    for (int y = 0; y < kBackpackSide; ++y) {
      Item*& slot = backpack_[x + kBackpackSide * y];
      if (slot != nullptr) continue;
      slot = std::exchange(item, nullptr);
      return;
    }
  }
}

void Inventory::takeContainerItems(int count) {
  auto* chest = dynamic_cast<Chest*>(owner_ != nullptr ? owner_->openBlockEntity() : nullptr);
  if (chest != nullptr) {
    for (int i = 0; i < count; ++i) {
      Item* item = chest->itemAt(static_cast<size_t>(i));
      if (isEmpty(item)) continue;
      storeInBackpack(item);
      if (item == nullptr) chest->setItem(i, nullptr);
    }
  }
  compactBackpack();
}

void Inventory::returnCraftGridItems() {
  compactBackpack();
  for (Item*& item : craftGrid_) {
    if (!isEmpty(item)) storeInBackpack(item);
  }
}
