#include "game/trade/trade_stacks.h"

#include <new>

#include "content/items/item_pool.h"

ItemPtr copyStack(const Item& item) {
  void* slot = allocItem();
  return ItemPtr(slot != nullptr ? new (slot) Item(item) : nullptr);
}

bool sameStack(const Item& a, const Item& b) {
  return a.id == b.id && a.variant == b.variant && a.count == b.count && a.durability == b.durability &&
         a.word == b.word;
}
