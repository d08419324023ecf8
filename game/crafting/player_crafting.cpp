#include "game/crafting/player_crafting.h"

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "game/crafting/craft_recipe.h"
#include "game/crafting/craft_spending.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/crafting/recipes.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "world/rules/console_kind.h"

namespace {
constexpr SlotRef kOutput{SlotKind::Single, 0, 0};
}  // namespace

const CraftDef* recipeForResult(uint16_t itemId) {
  for (const CraftDef& recipe : contentTables().craftDefs) {
    if (recipe.result() == itemId && recipe.resultCount() > 0) return &recipe;
  }
  return nullptr;
}

CraftOutcome PlayerCrafting::craft(const CraftDef& recipe) {
  const CraftOutcome outcome = craftChecked(*this, recipe);
  if (outcome != CraftOutcome::Made) return outcome;
  Inventory& inventory = *player_.inventory;
  Item* made = inventory.slotItem(kOutput);
  if (made == nullptr) return CraftOutcome::NoRoom;
  // A creative inventory takes nothing handed to it: the made stack waits in the result cell.
  if (inventory.creative()) return CraftOutcome::MadeInResult;
  bool newSlot = false;
  if (inventory.findSlotFor(made, newSlot).isNone()) return CraftOutcome::NoRoom;
  inventory.takeSlot(kOutput);  // the inventory stored a copy of it
  return CraftOutcome::Made;
}

bool PlayerCrafting::hasStationFor(uint8_t station) const {
  return stationServes(player_.inventory->station(), station);
}

bool PlayerCrafting::holdsIngredientsFor(const CraftDef& recipe) const {
  const Inventory& inventory = *player_.inventory;
  return recipeCraftability(inventory, inventory.station(), recipe) != Craftability::MissingIngredients;
}

bool PlayerCrafting::hasRoomFor(const CraftDef&) const {
  const Item* waiting = player_.inventory->slotItem(kOutput);
  return waiting == nullptr || waiting->isNone();
}

bool PlayerCrafting::make(const CraftDef& recipe) {
  Inventory& inventory = *player_.inventory;
  CraftSpending spent;
  for (const Ingredient& ingredient : recipeIngredients(recipe)) {
    if (ingredient.id == 0xFFFF) break;
    for (int i = 0; i < ingredient.count; ++i) {
      uint16_t taken = ITEM_NONE;
      if (!inventory.takeOne(ingredient.id, recipe.equivalentsAllowed(), &taken).isNone()) spent.add(taken);
    }
  }
  if (!craftRecipe(*this, recipe)) return false;
  reportCraft(player_, recipe, spent);
  return true;
}

Inventory& PlayerCrafting::craftingInventory() { return *player_.inventory; }

const RecipeKnowledge& PlayerCrafting::recipeKnowledge() const { return *player_.knowledge; }

void PlayerCrafting::learnEntry(uint16_t entry) {
  RecipeKnowledge& knowledge = *player_.knowledge;
  knowledge.known[entry / 8] = static_cast<uint8_t>(knowledge.known[entry / 8] | (1u << (entry % 8)));
  knowledge.removeKnownFromKindList(entry);
  ++knowledge.knownCount;
}

void PlayerCrafting::showNotice(const std::string& text) {
  if (text.empty()) return;
  // The console keeps the line after the notice is closed.
  player_.showMessage(console_kind::kInformation, text);
  player_.showNotice(text);
}

void PlayerCrafting::recordStat(uint16_t statistic, uint16_t id) { player_.recordStat(statistic, id); }
