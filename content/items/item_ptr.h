#pragma once
// An owning pointer to a pooled item: whoever holds it frees the item back to the pool, once,
// however it leaves (an early return included). Every holder of an item keeps one (an inventory
// slot, a block entity's slot, an item entity) and every hand-over moves one: out of a slot, into
// the world as an entity, onto a shelf, out of a crafting grid. Its deleter is the only place an
// item goes back to the pool; a raw `Item*` only looks at an item that stays where it is.

#include <memory>

class Item;

struct FreeItem {
  void operator()(Item* item) const;
};

using ItemPtr = std::unique_ptr<Item, FreeItem>;
