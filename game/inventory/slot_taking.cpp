#include "game/inventory/slot_taking.h"

#include "game/inventory/inventory.h"

ItemPtr takeSlotItem(Inventory& inventory, SlotRef slot) {
  Item* item = inventory.slotItem(slot);
  if (item == nullptr) return nullptr;
  inventory.setSlot(slot, nullptr);
  if (inventory.slotItem(slot) == item) return nullptr;
  return ItemPtr(item);
}
