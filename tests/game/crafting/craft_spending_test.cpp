// Whether the units a craft used up pay for its recipe: the host of a joined player takes exactly
// those units out of its copy of her items, so a list that pays with the wrong items, or with too
// few, must not pass for a craft.
#include <gtest/gtest.h>

#include <vector>

#include "game/crafting/craft_spending.h"
#include "tests/game/crafting/crafting_fixture.h"

namespace crafting_test {
namespace {

class CraftSpendingTest : public CraftingTest {
 protected:
  bool pays(const test_rows::Recipe& recipe, const std::vector<CraftedStack>& spent) {
    test_rows::setRecipe(0, recipe);
    return spendingPaysFor(contentTables().craftDefs[0], spent);
  }
};

TEST_F(CraftSpendingTest, UnitsOfOneIdGatherIntoOneStack) {
  CraftSpending spent;
  for (uint16_t id : {7, 8, 7, 7}) spent.add(id);
  ASSERT_EQ(spent.stacks().size(), 2u);
  EXPECT_EQ(spent.stacks()[0].id, 7);
  EXPECT_EQ(spent.stacks()[0].count, 3);
  EXPECT_EQ(spent.stacks()[1].id, 8);
  EXPECT_EQ(spent.stacks()[1].count, 1);
}

TEST_F(CraftSpendingTest, EveryIngredientMustBePaidInFull) {
  const test_rows::Recipe twoAndOne{.layout = 5, .cells = 3, .grid = {7, 8}};
  EXPECT_TRUE(pays(twoAndOne, {{7, 2}, {8, 1}}));
  EXPECT_TRUE(pays(twoAndOne, {{8, 1}, {7, 2}})) << "in any order";
  EXPECT_FALSE(pays(twoAndOne, {{7, 1}, {8, 1}})) << "one short";
  EXPECT_FALSE(pays(twoAndOne, {{7, 3}})) << "the second ingredient missing";
  EXPECT_FALSE(pays(twoAndOne, {})) << "nothing";
}

TEST_F(CraftSpendingTest, WhatTheRecipeDoesNotAskForPaysNothing) {
  const test_rows::Recipe one{.layout = 0, .grid = {7}};
  EXPECT_FALSE(pays(one, {{9, 1}}));
  EXPECT_FALSE(pays(one, {{7, 1}, {9, 1}})) << "an item besides the ingredient";
  EXPECT_TRUE(pays(one, {{7, 2}})) << "more of the ingredient costs only its owner";
}

TEST_F(CraftSpendingTest, AnEquivalentPaysOnlyWhereTheRecipeAllowsIt) {
  // 109 stands for 45 where equivalents are allowed.
  EXPECT_TRUE(pays({.layout = 0, .grid = {45}, .equivalents = true}, {{109, 1}}));
  EXPECT_FALSE(pays({.layout = 0, .grid = {45}, .equivalents = false}, {{109, 1}}));
}

}  // namespace
}  // namespace crafting_test
