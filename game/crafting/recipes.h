#pragma once
// What a recipe row asks for and whether the player can make it: the ingredient list by the
// row's layout, its weight, its craftability with the player's inventory, and the recipes a
// station offers. The rows are the content tables' `craftDefs`. Main thread only.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

class Inventory;
class RecipeKnowledge;
struct CraftDef;

struct Ingredient {
  uint16_t id = 0xFFFF;  // 0xFFFF ends the list
  uint8_t count = 0;
};
using RecipeIngredients = std::array<Ingredient, 9>;

enum class Craftability : uint8_t {
  Craftable = 0,
  WrongStation = 2,
  MissingIngredients = 3,
};

RecipeIngredients recipeIngredients(const CraftDef& recipe);
float recipeIngredientWeight(const CraftDef& recipe);
// `stationInUse` is the inventory's crafting station (`Inventory::station`).
Craftability recipeCraftability(const Inventory& inventory, uint8_t stationInUse, const CraftDef& recipe);
// Whether a recipe for `recipeStation` can be made where the inventory's station is `current`.
bool stationServes(uint8_t current, uint8_t recipeStation);

// Row indexes of the recipes of `station` that the character knows, craftable ones first, both
// parts in table order; a non-empty search keeps rows whose result name holds it (case ignored).
std::vector<uint16_t> listStationRecipes(const Inventory& inventory, uint8_t stationInUse,
                                         const RecipeKnowledge& knowledge, uint8_t station,
                                         std::string_view search);
