#include "game/crafting/craft_rule.h"

#include "content/tables/content_tables.h"

CraftOutcome craftRow(Crafter& crafter, uint16_t row) {
  const auto& recipes = contentTables().craftDefs;
  if (row >= recipes.size()) return CraftOutcome::UnknownRecipe;
  return craftChecked(crafter, recipes[row]);
}

CraftOutcome craftChecked(Crafter& crafter, const CraftDef& recipe) {
  if (recipe.resultCount() == 0) return CraftOutcome::UnknownRecipe;
  if (!crafter.hasStationFor(recipe.station())) return CraftOutcome::WrongStation;
  if (!crafter.holdsIngredientsFor(recipe)) return CraftOutcome::MissingIngredients;
  if (!crafter.hasRoomFor(recipe) || !crafter.make(recipe)) return CraftOutcome::NoRoom;
  return CraftOutcome::Made;
}

const char* craftRefusalText(CraftOutcome outcome) {
  switch (outcome) {
    case CraftOutcome::Made:
    case CraftOutcome::MadeInResult: return "";
    case CraftOutcome::UnknownRecipe: return "There is no such recipe.";
    case CraftOutcome::WrongStation: return "That needs another station.";
    case CraftOutcome::MissingIngredients: return "The ingredients are missing.";
    case CraftOutcome::NoRoom: return "No room for it.";
  }
  return "";
}
