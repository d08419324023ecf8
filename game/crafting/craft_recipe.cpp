#include "game/crafting/craft_recipe.h"

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "content/tables/content_tables.h"
#include "game/crafting/craft_book.h"
#include "game/crafting/craft_grid_match.h"
#include "game/crafting/crafting_player.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/inventory/inventory.h"
#include "game/stats/stats_store.h"

namespace {

constexpr float kButtonWidth = 74.0f, kButtonHeight = 97.0f;

constexpr SlotRef kOutput{SlotKind::Single, 0, 0};

bool fillOutput(Inventory& inventory, const CraftDef& recipe) {
  Item* output = inventory.slotItem(kOutput);
  if (output == nullptr || output->isNone()) {
    ItemPtr made = newItem(recipe.result(), -1, recipe.resultCount(), -1, 0);
    if (made == nullptr) return false;
    inventory.setSlot(kOutput, std::move(made));
    return true;
  }
  if (output->id != recipe.result() || output->word != 0 ||
      output->count + recipe.resultCount() > ITEM_STACK_LIMIT) {
    return false;
  }
  output->count = static_cast<uint16_t>(output->count + recipe.resultCount());
  return true;
}

void learnOnFirstCraft(CraftingPlayer& player, uint16_t entry) {
  if (entry == content::craft_record::kAlwaysKnown || player.recipeKnowledge().isEntryKnown(entry)) return;
  player.learnEntry(entry);
  const CraftBookEntry* row = craftBookEntry(entry);
  player.showNotice(row != nullptr ? row->name : std::string());
}

void giveBack(CraftingPlayer& player, uint16_t container) {
  if (container == ITEM_NONE) return;
  const Item item(container, -1, 1, -1, 0);
  bool newSlot = false;
  const SlotRef slot = player.craftingInventory().findSlotFor(&item, newSlot);
  if (!slot.isNone()) player.refreshSlot(slot);
}

}  // namespace

uint16_t returnedContainer(uint16_t id) {
  switch (id) {
    case 100:
    case 292: return 36;
    case 420:
    case 804: return 356;
    case 2057: return 1374;
    default: return ITEM_NONE;
  }
}

bool craftRecipe(CraftingPlayer& player, const CraftDef& recipe) {
  Inventory& inventory = player.craftingInventory();
  if (!fillOutput(inventory, recipe)) return false;
  learnOnFirstCraft(player, recipe.bookEntry());
  player.refreshCraftView();
  for (int cell = 0; cell < 9; ++cell) {
    player.refreshSlot(craftGridSlot(cell));
    const Item* laid = inventory.slotItem(craftGridSlot(cell));
    if (recipe.returnsContainers() && laid != nullptr) giveBack(player, returnedContainer(laid->id));
  }
  player.recordStat(stat_number::kCrafted, recipe.result());
  return true;
}

engine::Rect craftButtonRect(float x, float y) { return {x, y, kButtonWidth, kButtonHeight}; }
