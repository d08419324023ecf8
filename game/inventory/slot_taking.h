#pragma once
// Taking an item out of an inventory slot into the caller's hands. The slot is emptied first, so
// no slot ever points at an item the caller frees or hands on. Main thread only.

#include "content/items/item_ptr.h"
#include "game/inventory/slot_ref.h"

class Inventory;

// What the slot held, now the caller's; null for an empty slot, and for a slot that cannot be
// emptied (a container slot with no container open), which keeps its item.
ItemPtr takeSlotItem(Inventory& inventory, SlotRef slot);
