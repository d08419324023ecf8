#include "game/crafting/craft_spending.h"

#include <algorithm>

#include "content/tables/content_tables.h"
#include "game/crafting/item_equivalents.h"
#include "game/crafting/recipes.h"
#include "game/player/player.h"

void CraftSpending::add(uint16_t id) {
  auto same = std::find_if(stacks_.begin(), stacks_.end(), [id](const CraftedStack& stack) { return stack.id == id; });
  if (same != stacks_.end()) {
    ++same->count;
    return;
  }
  stacks_.push_back({id, 1});
}

bool spendingPaysFor(const CraftDef& recipe, std::span<const CraftedStack> spent) {
  std::vector<CraftedStack> left(spent.begin(), spent.end());
  const bool equivalents = recipe.equivalentsAllowed();
  const RecipeIngredients ingredients = recipeIngredients(recipe);
  for (const Ingredient& wanted : ingredients) {
    if (wanted.id == 0xFFFF) break;
    uint32_t needed = wanted.count;
    for (CraftedStack& stack : left) {
      if (needed == 0) break;
      if (!itemMatches(stack.id, wanted.id, equivalents)) continue;
      const uint32_t part = std::min<uint32_t>(needed, stack.count);
      stack.count = static_cast<uint16_t>(stack.count - part);
      needed -= part;
    }
    if (needed > 0) return false;
  }
  // A grid may lay more of an ingredient than the recipe counts (every filled cell gives one):
  // what is left over must still be one of the recipe's ingredients.
  return std::all_of(left.begin(), left.end(), [&](const CraftedStack& stack) {
    return stack.count == 0 || std::any_of(ingredients.begin(), ingredients.end(), [&](const Ingredient& wanted) {
             return wanted.id != 0xFFFF && itemMatches(stack.id, wanted.id, equivalents);
           });
  });
}

void reportCraft(Player& player, const CraftDef& recipe, const CraftSpending& spent) {
  GameHostRequests* host = player.game != nullptr ? player.game->hostRequests() : nullptr;
  if (host == nullptr) return;
  const auto& rows = contentTables().craftDefs;
  const auto row = static_cast<uint16_t>(&recipe - rows.data());
  host->reportCraft(row, spent.stacks());
}
