#include "game/inventory/slot_taking.h"

#include "game/inventory/inventory.h"

ItemPtr takeSlotItem(Inventory& inventory, SlotRef slot) { return inventory.takeSlot(slot); }
