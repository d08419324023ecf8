#include "world/blocks/chest.h"

#include <algorithm>

#include "content/items/item_rules.h"

namespace {
size_t chestSlots(uint16_t blockId) {
  const ItemRule* rule = lookupItemRule(blockId);
  return rule != nullptr ? rule->value : 0;
}
}  // namespace

bool isChestBlock(uint16_t blockId) { return lookupItemRule(blockId) != nullptr; }

Chest::Chest(MapBlock& cell, uint16_t blockId) : LogicItemBlock(cell, BlockEntityKind::Chest, chestSlots(blockId)) {}

void Chest::dropContents(LogicEntities& rules) { dropAll(rules); }

bool Chest::prevPage(int32_t n) {
  offset_ = std::max(offset_ - n, 0);
  return offset_ > 0;
}

bool Chest::nextPage(int32_t n) {
  offset_ += n;
  return offset_ + n < static_cast<int32_t>(slotCount()) - 1;
}

void Chest::setItem(int32_t index, ItemPtr item) {
  putItem(index < 0 ? slotCount() : static_cast<size_t>(index), std::move(item));
}
