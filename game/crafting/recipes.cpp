#include "game/crafting/recipes.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/inventory/inventory.h"

namespace {

constexpr float kWeightFactors[] = {0.5f, 1.0f, 2.0f, 3.5f, 5.0f};
// The station table's rows are its kinds 0-15; a station outside it counts as the first row.
constexpr uint8_t kStationKinds = 16;

void addIngredient(RecipeIngredients& list, uint16_t id, uint8_t count) {
  for (Ingredient& pair : list) {
    if (pair.id == id) {
      pair.count = static_cast<uint8_t>(pair.count + count);
      return;
    }
    if (pair.id == content::kNoItem) {
      pair = {id, count};
      return;
    }
  }
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool nameHolds(uint16_t itemId, const std::string& loweredSearch) {
  return lowered(languageTexts().treasureName(itemId)).find(loweredSearch) != std::string::npos;
}

}  // namespace

RecipeIngredients recipeIngredients(const CraftDef& recipe) {
  RecipeIngredients list{};
  switch (recipe.shape()) {
    case 0: addIngredient(list, recipe.ingredient(0), 1); break;
    case 1:
    case 4:
      addIngredient(list, recipe.ingredient(0), 1);
      addIngredient(list, recipe.ingredient(1), 1);
      break;
    case 2: addIngredient(list, recipe.ingredient(0), 4); break;
    case 3:
      for (int cell = 0; cell < 9; ++cell) {
        if (recipe.ingredient(cell) != content::kNoItem) addIngredient(list, recipe.ingredient(cell), 1);
      }
      break;
    case 5:
      addIngredient(list, recipe.ingredient(0), 2);
      addIngredient(list, recipe.ingredient(1), 1);
      break;
    default: break;
  }
  return list;
}

float recipeIngredientWeight(const CraftDef& recipe) {
  const uint8_t weightClass = recipe.category();
  const float factor = weightClass < std::size(kWeightFactors) ? kWeightFactors[weightClass] : 0.0f;
  uint32_t count = 0;
  for (const Ingredient& pair : recipeIngredients(recipe)) {
    if (pair.id != content::kNoItem) count += pair.count;
  }
  return static_cast<float>(count) * factor;
}

bool stationServes(uint8_t current, uint8_t recipeStation) {
  const uint8_t rowKind = current < kStationKinds ? current : 0;
  return recipeStation == 0 || recipeStation == rowKind;
}

Craftability recipeCraftability(const Inventory& inventory, uint8_t stationInUse, const CraftDef& recipe) {
  if (!stationServes(stationInUse, recipe.station())) return Craftability::WrongStation;
  for (const Ingredient& pair : recipeIngredients(recipe)) {
    if (pair.id == content::kNoItem) break;
    if (inventory.countItems(pair.id, recipe.equivalentsAllowed(), false) < pair.count) {
      return Craftability::MissingIngredients;
    }
  }
  return Craftability::Craftable;
}

std::vector<uint16_t> listStationRecipes(const Inventory& inventory, uint8_t stationInUse,
                                         const RecipeKnowledge& knowledge, uint8_t station,
                                         std::string_view search) {
  const auto& rows = contentTables().craftDefs;
  std::vector<uint16_t> craftable;
  std::vector<uint16_t> others;
  for (uint16_t row = 0; row < rows.size(); ++row) {
    const CraftDef& recipe = rows[row];
    // Rows past the content's recipes fill no cell: they are not recipes.
    if (recipe.cellCount() == 0 || recipe.station() != station) continue;
    const uint16_t entry = recipe.bookEntry();
    if (entry != content::craft_record::kAlwaysKnown && !knowledge.isEntryKnown(entry)) continue;
    auto& list = recipeCraftability(inventory, stationInUse, recipe) == Craftability::Craftable ? craftable : others;
    list.push_back(row);
  }
  craftable.insert(craftable.end(), others.begin(), others.end());
  if (!search.empty()) {
    const std::string needle = lowered(search);
    std::erase_if(craftable, [&](uint16_t row) { return !nameHolds(rows[row].result(), needle); });
  }
  return craftable;
}
