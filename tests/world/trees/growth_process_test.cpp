#include <gtest/gtest.h>

#include "content/tables/content_tables.h"
#include "tests/world/growth_world.h"
#include "world/trees/growth_process.h"
#include "world/trees/growth_writer.h"
#include "world/trees/leaf_decay.h"

namespace {

using namespace world_test;

// Growth row 25: root 2539, lower trunk 2540, trunk 2542, leaves 2543; planted from block 2546 (row 150).
constexpr uint16_t kRoot = 2539, kLowerTrunk = 2540, kTrunk = 2542, kLeaf = 2543, kSapling = 2546;
// Growth row 1, whose trunk (1975) and leaves (1976) bear fruit.
constexpr uint16_t kFruitTrunk = 1975, kFruitLeaf = 1976;

class TreeTest : public GrowthWorldTest {
 protected:
  void SetUp() override {
    GrowthWorldTest::SetUp();
    for (uint16_t id : {kRoot, kLowerTrunk, kTrunk, uint16_t{2039}, uint16_t{2007}, kFruitTrunk}) {
      defineBlock(id, {.flags = bits({8}), .transparency = 1});
    }
    defineBlock(kLeaf, {.flags = bits({9}), .transparency = 1, .variants = 3});
    defineBlock(kFruitTrunk, {.flags = bits({8, 30}), .transparency = 1});
    defineBlock(kFruitLeaf, {.flags = bits({9, 30}), .transparency = 1});
    defineBlock(kSapling, {.transparency = 1});
    makeWorld();
    for (int x = 0; x < kWidth; ++x) put(x, 2, kDirt);
  }
  int leavesInRow(int y, int from, int step) {
    int n = 0;
    for (int x = from; at(x, y).frontId() == kLeaf; x += step) ++n;
    return n;
  }
};

TEST_F(TreeTest, APlantedSaplingGrowsStageByStageIntoASymmetricTree) {
  for (int x : {5, 35}) {
    SCOPED_TRACE(x);
    plant(x, 3, kSapling);
    ASSERT_EQ(plants().plantCount(), 1u);
    EXPECT_GT(growToTheEnd(x, 3), 3);
    EXPECT_EQ(plants().plantCount(), 0u) << "a finished tree leaves the registry";

    int y = 3;
    while (at(x, y).frontId() == kRoot) ++y;
    EXPECT_GE(y - 3, 2) << "the base stage lays two to four rows of root";
    EXPECT_LE(y - 3, 4);
    int top = y;
    while (at(x, top).frontId() == kTrunk) ++top;
    EXPECT_GE(top - y, 3) << "a trunk row, widening rows and a narrowing row";
    EXPECT_EQ(at(x, top).frontId(), kAir);
    int canopyRows = 0;
    for (int row = y; row < top; ++row) {
      const int left = leavesInRow(row, x - 1, -1), right = leavesInRow(row, x + 1, 1);
      EXPECT_EQ(left, right) << "row " << row;
      canopyRows += left > 0 ? 1 : 0;
    }
    EXPECT_GE(canopyRows, 2);
  }
}

TEST_F(TreeTest, ATreeBlockedAboveStopsAtOnceButItsOwnBlocksDoNotBlockIt) {
  plant(20, 3, kSapling);
  put(20, 4, kDirt);
  EXPECT_EQ(growToTheEnd(20, 3), 1);
  EXPECT_EQ(at(20, 3).frontId(), kSapling) << "nothing was grown";
  EXPECT_TRUE(rules.edits.empty());

  plant(10, 3, kSapling);
  put(10, 5, kTrunk);
  growToTheEnd(10, 3);
  EXPECT_EQ(at(10, 4).frontId(), kRoot);
}

TEST_F(TreeTest, TheGeneratorsRunWritesTheMapAndRegistersNothing) {
  runGrowthToCompletion(world->map(), 30, 3, 1);
  EXPECT_EQ(at(30, 3).frontId(), 2039);
  EXPECT_TRUE(rules.edits.empty());
  int fruitBlocks = 0;
  for (int y = 3; y < kHeight; ++y) {
    for (int x = 25; x <= 35; ++x) {
      const uint16_t id = at(x, y).frontId();
      if (id == kFruitTrunk || id == kFruitLeaf) ++fruitBlocks;
    }
  }
  EXPECT_GT(fruitBlocks, 0);
  EXPECT_TRUE(plants().fruitCells().empty()) << "no fruit block is registered";
}

TEST_F(TreeTest, BreakingACrownLeafStopsThatSideOfItsGrowingBranch) {
  ProcessSpec& spec = contentTables().processSpecs[25];
  spec.steps = {{0, 1, 1, 0, 0}, {1, 1, 1, 3, 3}};  // one root row, one trunk row with branches of 3
  plant(20, 3, kSapling);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(plants().growPlantAt(rules, at(20, 3)));
  ASSERT_EQ(at(19, 4).frontId(), kLeaf);
  breakFront(19, 4);
  growToTheEnd(20, 3);
  EXPECT_EQ(leavesInRow(4, 21, 1), 3);
  for (int x = 16; x <= 19; ++x) EXPECT_EQ(at(x, 4).frontId(), kAir) << x;
}

TEST_F(TreeTest, LeavesWithoutSupportDecayAfterTheTrunkGoesUnlessReplacedMeanwhile) {
  put(10, 5, kTrunk);  // trunk A; trunk B stands at column 16
  put(16, 5, kTrunk);
  for (int x = 11; x <= 14; ++x) put(x, 5, kLeaf);
  LeafDecay& decay = world->leafDecay();
  breakFront(10, 5);
  EXPECT_EQ(decay.size(), 3u) << "leaves within three cells of the trunk: columns 11-13";
  put(11, 5, kDirt);  // replaced meanwhile: not removed
  while (decay.size() > 0) decay.decayRandomLeaf(rules);
  const uint16_t want[] = {kDirt, kAir, kLeaf, kLeaf};  // trunk B stands three cells from column 13
  for (int x = 11; x <= 14; ++x) EXPECT_EQ(at(x, 5).frontId(), want[x - 11]) << x;
  EXPECT_TRUE(rules.drops.empty()) << "decayed leaves drop nothing";
}

}  // namespace
