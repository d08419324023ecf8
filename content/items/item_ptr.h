#pragma once
// An owning pointer to a pooled item: whoever holds it frees the item back to the pool, once,
// however it leaves (an early return included). Use it where an item changes hands: out of a slot,
// into the world as an entity, onto a shelf, out of a crafting grid. A slot's raw `Item*` stays
// the slot's; `release()` hands the item on to whoever takes raw ownership.

#include <memory>

class Item;

struct FreeItem {
  void operator()(Item* item) const;
};

using ItemPtr = std::unique_ptr<Item, FreeItem>;
