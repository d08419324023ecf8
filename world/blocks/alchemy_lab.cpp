#include "world/blocks/alchemy_lab.h"

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/potions/potion_def.h"

AlchemyLab::AlchemyLab(MapBlock& cell) : LogicItemBlock(cell, kOutputSlot + 1) {}

void AlchemyLab::close() {
  LogicItemBlock::close();
  brewing_ = 0;
}

void AlchemyLab::dropContents(Logic& rules) { dropAll(rules); }

void AlchemyLab::setItem(uint8_t slot, Item* item) { putItem(slot, item); }

void AlchemyLab::brew(const PotionResult& recipe) {
  Item*& output = slots()[kOutputSlot];
  if (output == nullptr) {
    output = newItem(recipe.itemId, 0, 1, -1, recipe.value);
  } else if (output->count < ITEM_STACK_LIMIT) {
    ++output->count;
  }
  for (size_t i = 0; i < kIngredientSlots; ++i) {
    Item*& ingredient = slots()[i];
    if (ingredient == nullptr) continue;
    if (--ingredient->count == 0) {
      freeItem(ingredient);
      ingredient = nullptr;
    }
  }
}
