#include "tools/content_checks/recipe_conflict_check.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/crafting/item_equivalents.h"
#include "game/crafting/recipes.h"

namespace content_checks {

namespace {

// A station and what a recipe there takes, in id order: recipes with equal keys take the same.
using RecipeKey = std::pair<uint8_t, std::vector<std::pair<uint16_t, uint8_t>>>;

RecipeKey keyOf(const CraftDef& craft) {
  RecipeKey key{craft.station(), {}};
  for (const Ingredient& ingredient : recipeIngredients(craft)) {
    if (ingredient.id != content::kNoItem) key.second.emplace_back(ingredient.id, ingredient.count);
  }
  std::sort(key.second.begin(), key.second.end());
  return key;
}

// The family's wanted item for an item that stands in for others or is stood in for; else the item.
uint16_t familyOf(uint16_t id) {
  for (const ItemEquivalence& family : itemEquivalences()) {
    if (family.wanted == id || std::find(family.accepted.begin(), family.accepted.end(), id) != family.accepted.end()) {
      return family.wanted;
    }
  }
  return id;
}

std::string itemName(uint16_t id) { return "item " + std::to_string(id); }

}  // namespace

void checkRecipeConflicts(const ContentIndex& content, CheckReport& report) {
  const auto& crafts = content.sources().crafts;
  std::map<RecipeKey, std::vector<size_t>> rowsTaking;
  for (size_t row = 0; row < crafts.size(); ++row) {
    const CraftDef& craft = crafts[row];
    if (craft.cellCount() == 0) continue;
    std::vector<size_t>& same = rowsTaking[keyOf(craft)];
    for (size_t earlier : same) {
      const uint16_t made = craft.result(), madeBefore = crafts[earlier].result();
      if (made == madeBefore || familyOf(made) != familyOf(madeBefore)) continue;
      report.add(SourcePlace{content_compiler::source_files::kCrafts, static_cast<long>(row)},
                 "makes " + itemName(made) + " from the ingredients that row " + std::to_string(earlier) +
                     " makes " + itemName(madeBefore) + " from at the same station; the two stand in for "
                     "each other, so one of them is the wrong kind");
    }
    same.push_back(row);
  }
}

}  // namespace content_checks
