#pragma once
// Stacks as a trade compares and copies them: equal in id, variant, count, durability and word.

#include "content/items/item.h"

// A trade's own pool copy of the whole stack; null when the pool has none.
ItemPtr copyStack(const Item& item);
bool sameStack(const Item& a, const Item& b);
