// Encrusting: each of the nine settings gives its own modifier, and an item at full durability
// stays at full durability whether its modifier raises or lowers the maximum.

#include <gtest/gtest.h>

#include "content/items/item.h"
#include "game/inventory/encrusting.h"
#include "tests/content/items/item_test_defs.h"

namespace {

constexpr uint16_t kSword = 300;

TEST(Encrusting, EachSettingGivesItsOwnModifierAndOtherItemsNone) {
  const uint16_t settings[] = {1543, 1607, 1671, 1672, 1735, 1736, 1799, 1800, 1863};
  uint8_t expected = 1;
  for (uint16_t id : settings) EXPECT_EQ(settingModifier(id), expected++) << id;
  EXPECT_EQ(settingModifier(0), 0);
  EXPECT_EQ(settingModifier(1544), 0);
  EXPECT_EQ(settingModifier(41), 0) << "a seed is not a setting";
}

TEST(Encrusting, AFullItemStaysFullAndTheWordKeepsItsOtherBytes) {
  itemtest::Defs defs;
  defs.tool(kSword, 5, 200, 8.0f, 2);
  for (uint8_t modifier : {1, 5, 7}) {
    Item sword(kSword, 0, 1, -1, 0xAB00);
    ASSERT_EQ(sword.durability, 200);
    encrustItem(sword, modifier);
    EXPECT_EQ(sword.modifier(), modifier);
    EXPECT_EQ(sword.word & ~0xFFu, 0xAB00u);
    EXPECT_EQ(sword.durability, sword.maxDurability()) << "modifier " << int(modifier);
  }
  // A worn-down item keeps its wear: encrusting is no repair.
  Item worn(kSword, 0, 1, 120, 0);
  encrustItem(worn, 1);
  EXPECT_EQ(worn.durability, 120);
  EXPECT_EQ(worn.maxDurability(), 250);
}

}  // namespace
