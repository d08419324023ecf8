#include "world/blocks/alchemy_lab.h"

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "content/potions/potion_def.h"

AlchemyLab::AlchemyLab(MapBlock& cell) : LogicItemBlock(cell, BlockEntityKind::AlchemyLab, kOutputSlot + 1) {}

void AlchemyLab::close() {
  LogicItemBlock::close();
  brewing_ = 0;
}

void AlchemyLab::dropContents(LogicEntities& rules) { dropAll(rules); }

void AlchemyLab::setItem(uint8_t slot, ItemPtr item) { putItem(slot, std::move(item)); }

bool AlchemyLab::brew(const PotionResult& recipe) {
  ItemPtr& output = slots()[kOutputSlot];
  // The output must take the potion whole: an empty slot, or the same potion below a full stack.
  // Otherwise nothing is brewed and no ingredient is used.
  if (output != nullptr &&
      (output->id != recipe.itemId || output->word != recipe.value || output->count >= ITEM_STACK_LIMIT)) {
    return false;
  }
  if (output == nullptr) {
    output = newItem(recipe.itemId, 0, 1, -1, recipe.value);
    if (output == nullptr) return false;
  } else {
    ++output->count;
  }
  for (size_t i = 0; i < kIngredientSlots; ++i) {
    ItemPtr& ingredient = slots()[i];
    if (ingredient != nullptr && --ingredient->count == 0) ingredient.reset();
  }
  return true;
}
