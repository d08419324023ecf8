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

uint32_t PlayerItemCopy::countWithWord(uint16_t id, uint32_t word) const {
  uint32_t total = 0;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id == id && stack->word == word) total += stack->count;
  }
  return total;
}

const ItemPtr* PlayerItemCopy::firstOf(uint16_t id, std::optional<uint32_t> word) const {
  const ItemPtr* first = nullptr;
  for (const ItemPtr& stack : stacks_) {
    if (stack->id != id) continue;
    if (word && stack->word == *word) return &stack;
    if (first == nullptr) first = &stack;
  }
  return first;
}

ItemPtr PlayerItemCopy::peek(uint16_t id, uint16_t count) const {
  if (count == 0 || countOf(id) < count) return nullptr;
  ItemPtr own = copyLoadedItem(**firstOf(id, std::nullopt));
  if (own != nullptr) own->count = count;
  return own;
}

ItemPtr PlayerItemCopy::peekLike(const Item& like, uint16_t count) const {
  if (count == 0 || countOf(like.id) < count) return nullptr;
  ItemPtr own = copyLoadedItem(**firstOf(like.id, like.word));
  if (own != nullptr) own->count = count;
  return own;
}

ItemPtr PlayerItemCopy::take(uint16_t id, uint16_t count) { return takeFrom(id, count, std::nullopt); }

ItemPtr PlayerItemCopy::takeLike(const Item& like, uint16_t count) { return takeFrom(like.id, count, like.word); }

// The stacks with the word give first, then the others in their order.
ItemPtr PlayerItemCopy::takeFrom(uint16_t id, uint16_t count, std::optional<uint32_t> word) {
  if (count == 0 || countOf(id) < count) return nullptr;
  ItemPtr taken = copyLoadedItem(**firstOf(id, word));
  if (taken == nullptr) return nullptr;
  taken->count = count;
  // Without a word every stack of the id is in the first pass.
  const auto inPass = [&word](const Item& stack, bool first) { return word ? (stack.word == *word) == first : first; };
  uint16_t left = count;
  for (const bool first : {true, false}) {
    for (ItemPtr& stack : stacks_) {
      if (left == 0) break;
      if (stack->id != id || !inPass(*stack, first)) continue;
      const uint16_t part = std::min(left, stack->count);
      stack->count = static_cast<uint16_t>(stack->count - part);
      left = static_cast<uint16_t>(left - part);
    }
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
