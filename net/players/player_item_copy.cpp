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
}

uint32_t PlayerItemCopy::countOf(uint16_t id) const {
  uint32_t total = 0;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id == id) total += stack->count;
  }
  return total;
}

ItemPtr PlayerItemCopy::peek(uint16_t id, uint16_t count) const {
  if (count == 0 || countOf(id) < count) return nullptr;
  auto first = std::find_if(stacks_.begin(), stacks_.end(), [id](const ItemPtr& stack) { return stack->id == id; });
  ItemPtr own = copyLoadedItem(**first);
  if (own != nullptr) own->count = count;
  return own;
}

ItemPtr PlayerItemCopy::take(uint16_t id, uint16_t count) {
  ItemPtr taken = peek(id, count);
  if (taken == nullptr) return nullptr;
  uint16_t left = count;
  for (ItemPtr& stack : stacks_) {
    if (left == 0) break;
    if (stack->id != id) continue;
    const uint16_t part = std::min(left, stack->count);
    stack->count = static_cast<uint16_t>(stack->count - part);
    left = static_cast<uint16_t>(left - part);
  }
  std::erase_if(stacks_, [](const ItemPtr& stack) { return stack->count == 0; });
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
