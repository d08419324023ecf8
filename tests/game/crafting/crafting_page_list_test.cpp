// The crafting page's recipes: the hand recipes by hand; at a station its recipes first, then the
// hand recipes; recipes not learned yet once the player holds what they take; and rows that keep
// their places while what can be made changes.
#include <gtest/gtest.h>

#include <vector>

#include "game/crafting/crafting_page_list.h"
#include "game/crafting/recipe_knowledge.h"
#include "tests/game/crafting/crafting_fixture.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"

namespace crafting_test {
namespace {

using Rows = std::vector<uint16_t>;

constexpr uint16_t kWorkbenchBlock = 32;  // station kind 1 in the station table
constexpr uint16_t kLog = 7, kStick = 8, kStone = 9;

class CraftingPageListTest : public CraftingTest {
 protected:
  void SetUp() override {
    CraftingTest::SetUp();
    test_rows::setRecipe(0, {.layout = 0, .result = 20, .grid = {kLog}});
    test_rows::setRecipe(1, {.layout = 1, .result = 21, .grid = {kLog, kStick}, .station = 1, .bookEntry = 3});
    test_rows::setRecipe(2, {.layout = 0, .result = 22, .grid = {kStone}, .station = 1, .bookEntry = 4});
    test_rows::setRecipe(3, {.layout = 0, .result = 23, .grid = {kLog}, .station = 2});
    test_rows::setRecipe(4, {.layout = 0, .result = 24, .grid = {kStick}});
    knowledge.known[0] = 1u << 4;  // entry 4, not entry 3
  }
  void atWorkbench() {
    test_rows::setBlockFlags(kWorkbenchBlock, 1ull << 36);
    const BlockPropsTable props;
    MapBlock cell;
    cell.setLayer(kWorkbenchBlock, 0, MapBlock::kFront);
    inventory.setCraftingStation(nullptr, &cell, props);
    ASSERT_EQ(inventory.station(), 1);
  }
  const Rows& listed() {
    page.update(inventory, knowledge);
    return page.rows();
  }
  void takeAll(uint16_t id) {
    while (!inventory.takeOne(id, false).isNone()) {
    }
  }

  RecipeKnowledge knowledge;
  CraftingPageList page;
};

TEST_F(CraftingPageListTest, ByHandOnlyTheHandRecipesAreOffered) {
  carry(kLog, 1);
  EXPECT_EQ(listed(), (Rows{0, 4}));
  EXPECT_EQ(page.station(), 0);
}

TEST_F(CraftingPageListTest, AtAStationItsRecipesComeBeforeTheHandRecipes) {
  atWorkbench();
  carry(kLog, 1);
  EXPECT_EQ(listed(), (Rows{2, 0, 4})) << "row 1 is not known and cannot be made yet; row 3 is another station's";
  carry(kStick, 1);
  page.clear();
  EXPECT_EQ(listed(), (Rows{1, 2, 0, 4})) << "holding what row 1 takes finds it";
}

TEST_F(CraftingPageListTest, RowsKeepTheirPlacesWhileWhatCanBeMadeChanges) {
  atWorkbench();
  carry(kLog, 1);
  ASSERT_EQ(listed(), (Rows{2, 0, 4}));
  carry(kStick, 1);
  EXPECT_EQ(listed(), (Rows{2, 0, 4, 1})) << "a newly offered recipe joins at the end";
  takeAll(kLog);
  EXPECT_EQ(listed(), (Rows{2, 0, 4, 1})) << "a recipe that can no longer be made stays in its place";
  page.clear();
  EXPECT_EQ(listed(), (Rows{2, 0, 4})) << "shown anew, the page lists afresh in the table's order";
}

TEST_F(CraftingPageListTest, ShownAnewThePageStandsInTheTablesOrderWhateverCanBeMade) {
  carry(kStick, 1);
  EXPECT_EQ(listed(), (Rows{0, 4})) << "row 0 cannot be made, row 4 can: the order is the table's";
  takeAll(kStick);
  carry(kLog, 1);
  page.clear();
  EXPECT_EQ(listed(), (Rows{0, 4})) << "the next opening shows the rows where they stood";
}

TEST_F(CraftingPageListTest, LeavingTheStationListsTheHandRecipesAfresh) {
  atWorkbench();
  carry(kLog, 1);
  ASSERT_EQ(listed(), (Rows{2, 0, 4}));
  inventory.clearCraftingStation();
  EXPECT_EQ(listed(), (Rows{0, 4}));
  EXPECT_EQ(page.station(), 0);
}

}  // namespace
}  // namespace crafting_test
