#include "content/potions/potion_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "content/items/item.h"
#include "engine/base/random.h"

namespace {

class PotionTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::randomSeed(5);
    indexPotionTable();
  }
};

Item unit(uint16_t id) { return Item(id, 0, 1, 0, 0); }

TEST_F(PotionTableTest, BrewingMakesThePotionOfTheFirstTwoIngredients) {
  const Item first = unit(431), second = unit(431), third = unit(175), bottle = unit(1934);
  const PotionResult dwarves = brewPotion(&first, &second, &third, &bottle);
  ASSERT_NE(dwarves.def, nullptr);
  EXPECT_STREQ(dwarves.def->name, "Dwarves");
  EXPECT_EQ(dwarves.value, 2133);

  const Item strongThird = unit(115);  // value 21: the same low four bits as 5
  EXPECT_EQ(brewPotion(&first, &second, &strongThird, &bottle).value, 2133);

  const Item zero = unit(495);
  const PotionResult nothing = brewPotion(&zero, &first, &third, &bottle);
  EXPECT_EQ(nothing.def, nullptr);
  EXPECT_EQ(nothing.itemId, FAILED_BREW_ITEM);
}

TEST_F(PotionTableTest, BrewingWithMissingOrWrongItems) {
  const Item a = unit(431), bottle = unit(1870), stone = unit(1);
  EXPECT_EQ(brewPotion(nullptr, &a, &a, &bottle).itemId, ITEM_NONE);
  // An item without an alchemy value brews nothing rather than some other potion.
  for (const PotionResult& result :
       {brewPotion(&stone, &a, &a, &bottle), brewPotion(&a, &stone, &a, &bottle),
        brewPotion(&a, &a, &stone, &bottle)}) {
    EXPECT_EQ(result.def, nullptr);
    EXPECT_EQ(result.itemId, FAILED_BREW_ITEM);
    EXPECT_EQ(result.value, 0);
  }
}

TEST_F(PotionTableTest, NamesAndDurations) {
  const auto valueOfRow = [](size_t row, int bottle) {
    return static_cast<uint16_t>(potionDefs()[row].code * 64 + bottle);
  };
  EXPECT_EQ(potionDuration(valueOfRow(19, 3)), 960);  // class 3
  const uint16_t noPotion = 1 << 6;
  EXPECT_EQ(potionDuration(noPotion | 3), 0);
}

TEST_F(PotionTableTest, RandomPotionsFollowTheirRecipe) {
  std::set<const PotionDef*> any;
  for (int i = 0; i < 3000; ++i) {
    const PotionResult result = randomPotionEffect(0x2C);  // any potion, bottle 1, level 1
    ASSERT_NE(result.def, nullptr);
    EXPECT_EQ(result.value & 3, 1);
      any.insert(result.def);
  }
  EXPECT_EQ(any.size(), POTION_COUNT);
  std::set<int> categories;
  for (int i = 0; i < 500; ++i) categories.insert(randomPotionEffect(7).def->category);
  EXPECT_EQ(categories.size(), 4u);  // above 4 counts as any potion
}

TEST_F(PotionTableTest, CategoryListsForTheBook) {
  const auto all = potionsOfCategory("");
  EXPECT_EQ(all.size(), POTION_COUNT);
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const PotionDef* a, const PotionDef* b) {
    return std::string(a->name) < std::string(b->name);
  }));
  const auto found = potionsOfCategory("gravity");
  ASSERT_EQ(found.size(), 2u);  // found through the descriptions
  EXPECT_STREQ(found[0]->name, "Blackhole");
}

}  // namespace
