#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/block_filter.h"
#include "content/items/block_rules.h"
#include "content/items/catch_rule.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/items/item_rules.h"
#include "content/items/loading_tips.h"
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
      {5, FILTER_ANY_BLOCK, true}, {4000, 0x100000000ull, true}, {0, FILTER_ANY_BLOCK, false},
      {0, FILTER_ALMOST_ANY, true}, {103, FILTER_ALMOST_ANY, false},
      {144, FILTER_ALMOST_ANY, false},
      {0, 0, false}, {263, 0, false},
      {1728, exactBlockFilter(1728), true}, {1729, exactBlockFilter(1728), false},
      {0, exactBlockFilter(0), false},
      {1504, FILTER_SPECIAL | (1ull << 16) | (1ull << 48), true},
      {1505, FILTER_SPECIAL | (1ull << 16) | (1ull << 48), false},
      {1504, FILTER_SPECIAL | (1ull << 16), false},
      {3290, 0x14, true}, {263, 0x1000000000004ull, true}, {3290, 0x1000000000004ull, false},
      {266, categoryFilter(0x800, 0x08), true},  // no group needed
      {576, categoryFilter(0x044, 0x10), true},
      {576, categoryFilter(0x040, 0x10), false},     // both groups required
      {1, 0x3F, false}, {60000, 0x3F, false},         // not in the table
  };
  for (const auto& c : cases) EXPECT_EQ(itemMatchesFilter(c.id, c.filter), c.matches) << c.id << " " << c.filter;
}

TEST_F(ItemRulesTest, BlockValuesKeepOrDrawTheVariant) {
  contentTables().blockDefs[900].record.bytes[content::block_record::variantCount] = 3;
  BlockEdit edit;
  makeBlockValue(edit, 12, 34, 2, 900, 254, 1, 9);
  EXPECT_EQ(edit.variant, 254);
  EXPECT_EQ(edit.slot, 255);
  EXPECT_EQ(edit.state, 9) << "the content rules' extra byte is the block state";
  std::vector<int> seen(3, 0);
  for (int i = 0; i < 100; ++i) {
    makeBlockValueFrom(edit, cellWith(1, 7, 8), 1, 900, 255, 0, 0);
    ASSERT_LT(edit.variant, 3);
    ++seen[edit.variant];
  }
  EXPECT_EQ(edit.x, 7);
  EXPECT_EQ(edit.y, 8);
  EXPECT_TRUE(seen[0] > 0 && seen[1] > 0 && seen[2] > 0);
  makeBlockValue(edit, 0, 0, 0, 901, 300, 0, 0);  // one variant only
  EXPECT_EQ(edit.variant, 0);
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

TEST_F(ItemRulesTest, CatchRulesTestConditionPlanetPhaseAndBand) {
  // Rows 0-42 are the top third of 128, 43-85 the middle; a condition mask of 0 takes any.
  const struct {
    uint8_t condition, phase, band;
    uint32_t planet;
    uint8_t given;
    uint32_t row;
    bool applies;
  } cases[] = {{0, 0x2, 1, 0x5, 0xFF, 42, true},     {0, 0x2, 1, 0x5, 0, 42, true},
                 {0, 0x2, 1, 0x5, 0, 43, false},       {0, 0x2, 2, 0x5, 0, 43, true},
                 {0, 0x2, 2, 0x5, 0, 90, false},       {0, 0x2, 4, 0x5, 0, 90, true},
                 {0x10, 0x2, 4, 0x5, 0x01, 90, false}, {0x10, 0x2, 4, 0x5, 0x11, 90, true},
                 {0x10, 0x2, 4, 0x8, 0x11, 90, false}, {0x10, 0x1, 4, 0x4, 0x11, 90, false}};
  FixedWorld world;
  for (const auto& c : cases) {
    CatchRule rule{0, 0, c.condition, c.planet, c.phase, c.band};
    EXPECT_EQ(catchRuleApplies(rule, c.given, world, c.row), c.applies) << &c - cases;
  }
  const CatchRule rule{0, 0, 0x10, 0x4, 0x2, 4};
  ASSERT_TRUE(catchRuleApplies(rule, 0x11, world, 90));
  world.height = 0;  // no map yet: never a division by zero
  EXPECT_FALSE(catchRuleApplies(rule, 0x11, world, 90));
  EXPECT_FALSE(catchRuleApplies(rule, 0x11, NullWorldQuery(), 90));
}

TEST_F(ItemRulesTest, FixedDropsRollTheirCountAndChance) {
  EXPECT_FALSE(rollDropFor(1).found);
  EXPECT_TRUE(rollDropFor(1).item.isNone());
  for (int i = 0; i < 50; ++i) {
    const DropRoll roll = rollDropFor(63);
    ASSERT_TRUE(roll.found);
    EXPECT_EQ(roll.item.id, 64);
    EXPECT_GE(roll.item.count, 20);
    EXPECT_LE(roll.item.count, 30);
    EXPECT_EQ(roll.item.word, 0u);
  }
  int failures = 0;
  constexpr int TRIES = 5000;
  for (int i = 0; i < TRIES; ++i) {
    const DropRoll roll = rollDropFor(1407);
    ASSERT_TRUE(roll.found);
    if (roll.item.isNone()) {
      ++failures;
    } else {
      EXPECT_EQ(roll.item.id, 144);
      EXPECT_GE(roll.item.count, 100);
      EXPECT_LE(roll.item.count, 200);
    }
  }
  EXPECT_NEAR(static_cast<double>(failures) / TRIES, 0.2, 0.03);
}

TEST_F(ItemRulesTest, RuleTablesAnswerInTheirOrderAndMissWithoutACrash) {
  EXPECT_NE(lookupItemRule(1606), nullptr);
  EXPECT_EQ(lookupItemRule(25), nullptr);
  EXPECT_EQ(lookupIdPair(65), nullptr);
  EXPECT_EQ(itemValueFromTable(1571), 471);
  EXPECT_EQ(itemValueFromTable(1), 0);
  // 713 is side 0 and side 1 of item 1718: side 0 answers first.
  EXPECT_EQ(lookupBlockRule(713).side, 0);
  EXPECT_EQ(lookupBlockRule(714).side, 2);
  EXPECT_EQ(lookupBlockRule(1).rule, nullptr);
  // 1728 is also in a category that an earlier row names: the first matching row wins.
  EXPECT_EQ(blockCategory(0, cellWith(1728)), 485);
  EXPECT_EQ(blockCategory(2, cellWith(263)), 14);
  EXPECT_EQ(blockCategory(1, cellWith(263)), 0);
  EXPECT_EQ(blockCategory(0, cellWith(1)), 0);
  const auto rows = rowsForKind(0x4);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->secondPlanetBit, 0x8u);  // table order
  EXPECT_EQ(rows[1]->secondPlanetBit, 0x40u);
  EXPECT_EQ(rowsForKind(0x800)[0]->secondPlanetBit, NO_SECOND_PLANET);
  EXPECT_TRUE(rowsForKind(0x3).empty());
}

TEST_F(ItemRulesTest, TiersAndGroupsOfBlocks) {
  EXPECT_EQ(blockTier(35), 1);
  EXPECT_EQ(blockTier(35 + 64 * 14), 15);
  EXPECT_EQ(blockTier(35 + 64 * 15), 3);
  EXPECT_TRUE(sameBlockGroup(cellWith(598), cellWith(822)));
  EXPECT_FALSE(sameBlockGroup(cellWith(598), cellWith(324)));
  EXPECT_TRUE(sameBlockGroup(cellWith(324), cellWith(324)));
  EXPECT_FALSE(sameBlockGroup(cellWith(1), cellWith(1)));
}

TEST_F(ItemRulesTest, LoadingTipsWithoutStatisticsComeFromTheFixedList) {
  EXPECT_STREQ(loadingTip(LOADING_TIP_COUNT), "");
  for (int i = 0; i < LOADING_TIP_COUNT; ++i) EXPECT_STRNE(loadingTip(i), "") << i;
  for (int i = 0; i < 100; ++i) {
    const std::string tip = randomLoadingTip();
    bool known = false;
    for (int t = 0; t < LOADING_TIP_COUNT; ++t) known = known || tip == loadingTip(t);
    EXPECT_TRUE(known) << tip;
  }
}

}  // namespace
