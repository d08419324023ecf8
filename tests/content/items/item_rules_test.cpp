#include <gtest/gtest.h>

#include <vector>

#include "content/items/block_edit.h"
#include "content/items/block_filter.h"
#include "content/items/block_rules.h"
#include "content/items/catch_rule.h"
#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/items/world_query.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"

namespace {

class ItemRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentTables();
    engine::randomSeed(11);
  }
  void TearDown() override { resetContentTables(); }
};

CellInfo cellWith(uint16_t block, uint16_t column = 0, uint16_t row = 0) {
  return CellInfo{column, row, static_cast<uint32_t>(block) | 0x7000u};  // high bits not the id
}

TEST_F(ItemRulesTest, FiltersMatchSpecialBitsExactIdsAndEveryCategoryBit) {
  const struct { uint16_t id; uint64_t filter; bool matches; } cases[] = {
      {5, FILTER_ANY_BLOCK, true}, {0, FILTER_ANY_BLOCK, false}, {103, FILTER_ALMOST_ANY, false},
      {1729, exactBlockFilter(1728), false}, {0, exactBlockFilter(0), false},
      {1504, FILTER_SPECIAL | (1ull << 16) | (1ull << 48), true},
      {1504, FILTER_SPECIAL | (1ull << 16), false},
      {3290, 0x1000000000004ull, false}, {266, categoryFilter(0x800, 0x08), true},
      {576, categoryFilter(0x040, 0x10), false},     // both groups required
      {60000, 0x3F, false},                           // not in the table
  };
  for (const auto& c : cases) EXPECT_EQ(itemMatchesFilter(c.id, c.filter), c.matches) << c.id << " " << c.filter;
}

TEST_F(ItemRulesTest, BlockValuesKeepOrDrawTheVariant) {
  contentTables().blockDefs[900].record.bytes[content::block_record::variantCount] = 3;
  BlockEdit edit;
  makeBlockValue(edit, 12, 34, 2, 900, 254, 1, 9);
  EXPECT_EQ(edit.variant, 254);
  EXPECT_EQ(edit.state, 9) << "the content rules' extra byte is the block state";
  std::vector<int> seen(3, 0);
  for (int i = 0; i < 100; ++i) {
    makeBlockValue(edit, 7, 8, 1, 900, 255, 0, 0);
    ASSERT_LT(edit.variant, 3);
    ++seen[edit.variant];
  }
  EXPECT_TRUE(seen[0] > 0 && seen[1] > 0 && seen[2] > 0);
  makeBlockValue(edit, 0, 0, 0, 5000, 255, 0, 0);  // no such block: no crash
  EXPECT_EQ(edit.variant, 0);
}

class FixedWorld : public WorldQuery {
 public:
  uint32_t planetIdBit() const override { return 0x4; }
  uint32_t dayPhaseBits() const override { return 0x2; }
  uint32_t mapHeight() const override { return height; }
  uint32_t height = 128;
};

TEST_F(ItemRulesTest, CatchRulesWithoutAMapNeverApply) {
  FixedWorld world;
  const CatchRule rule{0, 0, 0x10, 0x4, 0x2, 4};
  ASSERT_TRUE(catchRuleApplies(rule, 0x11, world, 90));
  world.height = 0;  // no map yet: never a division by zero
  EXPECT_FALSE(catchRuleApplies(rule, 0x11, world, 90));
  EXPECT_FALSE(catchRuleApplies(rule, 0x11, NullWorldQuery(), 90));
}

TEST_F(ItemRulesTest, FixedDropsRollTheirCountAndChance) {
  EXPECT_FALSE(rollDropFor(1).found);
  int failures = 0;
  constexpr int TRIES = 5000;
  for (int i = 0; i < TRIES; ++i) {
    const Item got = rollDropFor(1407).item;
    failures += got.isNone();
    EXPECT_TRUE(got.isNone() || (got.id == 144 && got.count >= 100 && got.count <= 200));
  }
  EXPECT_NEAR(static_cast<double>(failures) / TRIES, 0.2, 0.03);
}

TEST_F(ItemRulesTest, RuleTablesAnswerInTheirOrderAndMissWithoutACrash) {
  // 713 is side 0 and side 1 of item 1718: side 0 answers first.
  EXPECT_EQ(lookupBlockRule(713).side, 0);
  // 1728 is also in a category that an earlier row names: the first matching row wins.
  EXPECT_EQ(blockCategory(0, cellWith(1728)), 485);
  const auto rows = rowsForKind(0x4);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->secondPlanetBit, 0x8u);  // table order
}

}  // namespace
