#include "game/crafting/crafting_page_list.h"

#include <algorithm>

#include "content/tables/content_tables.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/crafting/recipes.h"
#include "game/inventory/inventory.h"

namespace {

bool canMake(const Inventory& inventory, uint16_t row) {
  const CraftDef& recipe = contentTables().craftDefs[row];
  return recipeCraftability(inventory, inventory.station(), recipe) == Craftability::Craftable;
}

// The recipes of `station` the character does not know yet but can make now, in table order.
std::vector<uint16_t> findableRecipes(const Inventory& inventory, const RecipeKnowledge& knowledge, uint8_t station) {
  const auto& recipes = contentTables().craftDefs;
  std::vector<uint16_t> rows;
  for (uint16_t row = 0; row < recipes.size(); ++row) {
    const CraftDef& recipe = recipes[row];
    const uint16_t entry = recipe.bookEntry();
    if (recipe.cellCount() == 0 || recipe.station() != station) continue;
    if (entry == content::craft_record::kAlwaysKnown || knowledge.isEntryKnown(entry)) continue;
    if (canMake(inventory, row)) rows.push_back(row);
  }
  return rows;
}

// One station's part of the page: the known recipes the station lists with the findable ones,
// in the recipe table's order. That order does not follow what the player carries, so the page
// stands the same each time it opens and a row found once is found in its place again.
std::vector<uint16_t> offeredAt(const Inventory& inventory, const RecipeKnowledge& knowledge, uint8_t station) {
  std::vector<uint16_t> rows = listStationRecipes(inventory, inventory.station(), knowledge, station, "");
  const std::vector<uint16_t> findable = findableRecipes(inventory, knowledge, station);
  rows.insert(rows.end(), findable.begin(), findable.end());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

}  // namespace

void CraftingPageList::update(const Inventory& inventory, const RecipeKnowledge& knowledge) {
  if (station_ != inventory.station()) rows_.clear();
  station_ = inventory.station();
  std::vector<uint16_t> offered;
  if (station_ != 0) offered = offeredAt(inventory, knowledge, station_);
  const std::vector<uint16_t> byHand = offeredAt(inventory, knowledge, 0);
  offered.insert(offered.end(), byHand.begin(), byHand.end());
  std::vector<bool> listed(contentTables().craftDefs.size(), false);
  for (uint16_t row : rows_) listed[row] = true;
  for (uint16_t row : offered) {
    if (!listed[row]) rows_.push_back(row);
  }
}
