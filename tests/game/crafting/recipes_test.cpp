// Recipe rows read as ingredient lists, their weight, craftability with the inventory and the
// station's list of recipes.
#include <gtest/gtest.h>

#include <vector>

#include "game/crafting/item_equivalents.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/crafting/recipes.h"
#include "tests/game/crafting/crafting_fixture.h"

namespace crafting_test {
namespace {

class RecipesTest : public CraftingTest {
 protected:
  const CraftDef& row(size_t index) const { return contentTables().craftDefs[index]; }
  uint8_t station = 0;
};

TEST(ItemMatchesTest, EquivalentsStandInOnlyForTheWantedItem) {
  struct Case {
    uint16_t have, wanted;
    bool allow, matches;
  } cases[] = {
      {45, 45, false, true},  {109, 45, true, true},   {109, 45, false, false}, {45, 109, true, false},
      {804, 100, true, true}, {3108, 2467, true, true}, {1474, 1603, true, false}, {7, 8, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(itemMatches(c.have, c.wanted, c.allow), c.matches) << c.have << " for " << c.wanted;
  }
}

TEST_F(RecipesTest, IngredientListsFollowTheLayout) {
  struct Case {
    const char* what;
    test_rows::Recipe recipe;
    std::vector<Ingredient> expected;
  } cases[] = {
      {"one item", {.layout = 0, .grid = {7, 8}}, {{7, 1}}},
      {"two items", {.layout = 1, .grid = {7, 8}}, {{7, 1}, {8, 1}}},
      {"the same item twice", {.layout = 4, .grid = {7, 7}}, {{7, 2}}},
      {"a square", {.layout = 2, .grid = {7}}, {{7, 4}}},
      {"a grid repeating one item", {.layout = 3, .grid = {7, E, 7, 8, E, E, 7}}, {{7, 3}, {8, 1}}},
      {"two and one", {.layout = 5, .grid = {7, 8}}, {{7, 2}, {8, 1}}},
      {"an unknown layout", {.layout = 6, .grid = {7, 8}}, {}},
  };
  for (const auto& c : cases) {
    test_rows::setRecipe(0, c.recipe);
    std::vector<std::pair<int, int>> got, expected;
    for (const Ingredient& i : recipeIngredients(row(0))) {
      if (i.id != 0xFFFF) got.push_back({i.id, i.count});
    }
    for (const Ingredient& i : c.expected) expected.push_back({i.id, i.count});
    EXPECT_EQ(got, expected) << c.what;
  }
}

TEST_F(RecipesTest, WeightIsCountTimesTheClassFactor) {
  test_rows::setRecipe(0, {.layout = 5, .grid = {7, 8}, .weightClass = 3});
  EXPECT_FLOAT_EQ(recipeIngredientWeight(row(0)), 10.5f);
  test_rows::setRecipe(0, {.layout = 2, .grid = {7}, .weightClass = 0});
  EXPECT_FLOAT_EQ(recipeIngredientWeight(row(0)), 2.0f);
}

TEST_F(RecipesTest, CraftabilityAsksForTheStationThenTheIngredients) {
  test_rows::setRecipe(0, {.layout = 5, .grid = {7, 8}, .station = 5});
  carry(7, 2);
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::WrongStation);
  station = 5;
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::MissingIngredients);
  carry(8, 1);
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::Craftable);

  test_rows::setRecipe(1, {.layout = 0, .grid = {7}});
  station = 40;  // no such station: only hand recipes
  EXPECT_EQ(recipeCraftability(inventory, station, row(1)), Craftability::Craftable);
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::WrongStation);
}

TEST_F(RecipesTest, StationListPutsCraftableFirstAndSkipsUnknownEntries) {
  ASSERT_TRUE(languageTexts().loadText(
      R"({"treasures": [{"id": 20, "name": "Stone Axe"}, {"id": 21, "name": "Iron Axe"},
                        {"id": 22, "name": "Stone Wall"}, {"id": 23, "name": "Secret"}]})"));
  test_rows::setRecipe(0, {.layout = 0, .result = 20, .grid = {7}, .station = 1});
  test_rows::setRecipe(1, {.layout = 0, .result = 21, .grid = {8}, .station = 1});
  test_rows::setRecipe(2, {.layout = 0, .result = 22, .grid = {7}, .station = 1});
  test_rows::setRecipe(3, {.layout = 0, .result = 22, .grid = {7}, .station = 2});
  test_rows::setRecipe(4, {.layout = 0, .result = 23, .grid = {7}, .station = 1, .bookEntry = 12});
  station = 1;
  carry(7, 1);
  RecipeKnowledge knowledge;

  EXPECT_EQ(listStationRecipes(inventory, station, knowledge, 1, ""), (std::vector<uint16_t>{0, 2, 1}));
  EXPECT_EQ(listStationRecipes(inventory, station, knowledge, 1, "aXe"), (std::vector<uint16_t>{0, 1}));
  knowledge.setBookOptions(true, false);
  EXPECT_EQ(listStationRecipes(inventory, station, knowledge, 1, ""), (std::vector<uint16_t>{0, 2, 4, 1}));
  EXPECT_EQ(listStationRecipes(inventory, station, knowledge, 0, ""), std::vector<uint16_t>{})
      << "rows past the content's recipes are not hand recipes";
}

}  // namespace
}  // namespace crafting_test
