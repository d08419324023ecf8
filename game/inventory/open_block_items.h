#pragma once
// The slots of the open block entity that a player writes: a chest's and a forge's. Each is
// written through the entity's own item-setting operation, so that a forge rechecks its smelting
// and a copy of another machine's entity tells its host. Main thread only.

#include <cstddef>

#include "content/items/item_ptr.h"

class LogicBlock;
class LogicItemBlock;

// The entity as a block whose slots the player writes, or null (none open, or read only).
LogicItemBlock* writableItemBlock(LogicBlock* entity);
// Stores the stack in the entity's slot; false (the stack goes back to the pool) when the entity
// takes no items from a player.
bool setOpenBlockItem(LogicBlock* entity, size_t slot, ItemPtr item);
