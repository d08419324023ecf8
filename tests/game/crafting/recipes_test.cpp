// Recipe rows read as ingredient lists, craftability with the inventory, the station's list of
// recipes, and craft book knowledge with its discovery lists and the "Full Craftbook" option.
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

TEST_F(RecipesTest, IngredientListsFollowTheLayout) {
  struct Case {
    const char* what;
    test_rows::Recipe recipe;
    std::vector<Ingredient> expected;
  } cases[] = {
      {"one item", {.layout = 0, .grid = {7, 8}}, {{7, 1}}},
      {"the same item twice", {.layout = 4, .grid = {7, 7}}, {{7, 2}}},
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

TEST_F(RecipesTest, CraftabilityAsksForTheStationThenTheIngredients) {
  test_rows::setRecipe(0, {.layout = 5, .grid = {7, 8}, .station = 5});
  carry(7, 2);
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::WrongStation);
  station = 5;
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::MissingIngredients);
  carry(8, 1);
  EXPECT_EQ(recipeCraftability(inventory, station, row(0)), Craftability::Craftable);
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

TEST(RecipeKnowledgeTest, UnknownEntriesWaitInTheirKindsList) {
  std::vector<CraftBookEntry> rows;  // entries 0-9: kinds 0, 1, 2, 3, 4, 0, 1, 2, 3, 4
  for (uint32_t i = 0; i < 10; ++i) rows.push_back({"entry", i % 5, ""});
  installCraftBookEntries(std::move(rows));
  RecipeKnowledge knowledge;
  knowledge.known[0] = 0b00000101;  // entries 0 and 2
  knowledge.countKnownRecipes();
  EXPECT_EQ(knowledge.knownCount, 2u);
  EXPECT_EQ(knowledge.countUnknownEntries(), 333u);
  EXPECT_EQ(knowledge.discoveryLists[0], std::vector<uint16_t>{5});
  EXPECT_EQ(knowledge.discoveryLists[1], (std::vector<uint16_t>{1, 6}));
  EXPECT_EQ(knowledge.discoveryLists[2], std::vector<uint16_t>{7});

  EXPECT_TRUE(knowledge.removeKnownFromKindList(1));
  EXPECT_FALSE(knowledge.removeKnownFromKindList(1));
  EXPECT_FALSE(knowledge.removeKnownFromKindList(200)) << "an entry without a row";
  EXPECT_EQ(knowledge.discoveryLists[1], std::vector<uint16_t>{6});
  installCraftBookEntries({});
}

}  // namespace
}  // namespace crafting_test
