#include "net/players/player_item_copy.h"

#include <algorithm>

#include "content/items/item.h"

bool PlayerItemCopy::declare(std::span<const ItemPtr> stacks) {
  if (declared_ || stacks.size() > kMostStacks) return false;
  declared_ = true;
  for (const ItemPtr& stack : stacks) {
    if (stack != nullptr) add(*stack);
  }
  return true;
}

void PlayerItemCopy::add(const Item& item) {
  if (item.isNone() || item.count == 0) return;
  ItemPtr copy = copyLoadedItem(item);
  if (copy == nullptr) return;
  copy->count = item.count;  // a stack the copy holds is never cut to a single unit
  stacks_.push_back(std::move(copy));
  changed_ = true;
}

uint32_t PlayerItemCopy::countOf(uint16_t id) const {
  uint32_t total = 0;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id == id) total += stack->count;
  }
  return total;
}

uint32_t PlayerItemCopy::countWithWord(uint16_t id, uint32_t word) const {
  uint32_t total = 0;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id == id && stack->word == word) total += stack->count;
  }
  return total;
}

int PlayerItemCopy::nearness(const Item& stack, const Item* named) {
  if (named == nullptr) return 2;
  if (stack.word != named->word) return 0;
  return stack.durability == named->durability && stack.variant == named->variant ? 2 : 1;
}

uint32_t PlayerItemCopy::countNear(uint16_t id, const Item* named, int nearest) const {
  uint32_t total = 0;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id == id && nearness(*stack, named) >= nearest) total += stack->count;
  }
  return total;
}

const ItemPtr* PlayerItemCopy::nearestOf(uint16_t id, const Item* named, int nearest) const {
  const ItemPtr* found = nullptr;
  int best = nearest - 1;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id != id || nearness(*stack, named) <= best) continue;
    found = &stack;
    best = nearness(*stack, named);
  }
  return found;
}

ItemPtr PlayerItemCopy::peekFrom(uint16_t id, uint16_t count, const Item* named, int nearest) const {
  if (count == 0 || countNear(id, named, nearest) < count) return nullptr;
  ItemPtr own = copyLoadedItem(**nearestOf(id, named, nearest));
  if (own != nullptr) own->count = count;
  return own;
}

ItemPtr PlayerItemCopy::peek(uint16_t id, uint16_t count) const { return peekFrom(id, count, nullptr, 0); }

ItemPtr PlayerItemCopy::peekLike(const Item& like, uint16_t count) const { return peekFrom(like.id, count, &like, 0); }

ItemPtr PlayerItemCopy::peekNamed(const Item& named, uint16_t count) const {
  return peekFrom(named.id, count, &named, 1);
}

ItemPtr PlayerItemCopy::take(uint16_t id, uint16_t count) { return takeFrom(id, count, nullptr, 0); }

ItemPtr PlayerItemCopy::takeLike(const Item& like, uint16_t count) { return takeFrom(like.id, count, &like, 0); }

ItemPtr PlayerItemCopy::takeNamed(const Item& named, uint16_t count) { return takeFrom(named.id, count, &named, 1); }

// The nearest stacks give first, then the less near ones in their order, down to `nearest`.
ItemPtr PlayerItemCopy::takeFrom(uint16_t id, uint16_t count, const Item* named, int nearest) {
  ItemPtr taken = peekFrom(id, count, named, nearest);
  if (taken == nullptr) return nullptr;
  uint16_t left = count;
  for (int pass = 2; pass >= nearest; --pass) {
    for (ItemPtr& stack : stacks_) {
      if (left == 0) break;
      if (stack->id != id || nearness(*stack, named) != pass) continue;
      const uint16_t part = std::min(left, stack->count);
      stack->count = static_cast<uint16_t>(stack->count - part);
      left = static_cast<uint16_t>(left - part);
    }
  }
  std::erase_if(stacks_, [](const ItemPtr& stack) { return stack->count == 0; });
  changed_ = true;
  return taken;
}

void PlayerItemCopy::wear(const Item& held) {
  ItemPtr* worn = nullptr;
  for (ItemPtr& stack : stacks_) {
    if (stack->id != held.id) continue;
    if (worn == nullptr || stack->durability == held.durability) worn = &stack;
    if (stack->durability == held.durability) break;
  }
  if (worn != nullptr && (*worn)->durability > 0) --(*worn)->durability;
}
