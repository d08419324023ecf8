#include <gtest/gtest.h>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/decoration_patterns.h"

namespace {

using namespace world_test;

constexpr uint16_t kPost = 30;   // oriented, clear
constexpr uint16_t kLamp = 31;   // faces the solid side, clear, two variants
constexpr uint16_t kPillar = 32;  // plain clear block

class DecorationPatternsTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    defineBlock(kPost, {.flags = bits({16}), .transparency = 1});
    defineBlock(kLamp, {.flags = bits({4}), .transparency = 1, .variants = 2});
    defineBlock(kPillar, {.transparency = 1});
  }
  DecorationPattern pattern(uint8_t kind, std::vector<PatternEntry> entries, uint8_t mirror = 0) {
    DecorationPattern p;
    p.kind = kind;
    p.entries = std::move(entries);
    p.mirror = mirror;
    p.placement = 7;
    return p;
  }
  // The column of cells from (x, y) upwards holding the block.
  int stackHeight(int32_t x, int32_t y, uint16_t block) {
    int n = 0;
    while (y + n < map().height() && map().cell(x, y + n).frontId() == block) ++n;
    return n;
  }
};

TEST_F(DecorationPatternsTest, StacksShrinkToTheFreeSpaceAndGrowFullWithoutAMeasure) {
  const struct {
    uint8_t freeSpace;
    int most;
  } cases[] = {{0, 5}, {10, 5}, {3, 3}};
  for (const auto& c : cases) {
    WorldGenerator& g = makeWorld(16, 16);
    // Both entries at a fixed count when the space allows: 2 + 3 cells.
    applyPattern(g, 4, 4, pattern(1, {{kPillar, 1, 2}, {kPost, 1, 3}}), c.freeSpace, GrowthDirection::Up);
    const int pillars = stackHeight(4, 4, kPillar);
    const int posts = stackHeight(4, 4 + pillars, kPost);
    EXPECT_GE(pillars, 1);
    EXPECT_GE(posts, 1);
    EXPECT_LE(pillars + posts, c.most) << "free space " << int(c.freeSpace);
  }
}

TEST_F(DecorationPatternsTest, RunsAndOffsetSinglesUseTheirMaximumWhenTheSpaceIsZero) {
  for (int round = 0; round < 5; ++round) {
    WorldGenerator& g = makeWorld(16, 32);
    applyPattern(g, 4, 4, pattern(4, {{kPillar, 2, 6}}), 3, GrowthDirection::Up);
    const int bounded = stackHeight(4, 4, kPillar);
    EXPECT_GE(bounded, 2);
    EXPECT_LE(bounded, 3) << "a run never grows beyond the free space";
    applyPattern(g, 8, 4, pattern(4, {{kPillar, 2, 6}}), 0, GrowthDirection::Up);
    EXPECT_GE(stackHeight(8, 4, kPillar), 2);
    EXPECT_LE(stackHeight(8, 4, kPillar), 6);
    applyPattern(g, 12, 4, pattern(6, {{kPillar, 2, 6}}), 0, GrowthDirection::Up);
    int at = 0;
    for (int32_t y = 4; y < 32; ++y) at = map().cell(12, y).frontId() == kPillar ? y : at;
    EXPECT_GE(at, 4 + 2);
    EXPECT_LE(at, 4 + 6) << "the offset stays within the maximum";
  }
}

TEST_F(DecorationPatternsTest, SinglesLayersPickOneAndTreeSeedsGoIntoTheAnchor) {
  WorldGenerator& g = makeWorld(16, 16);
  applyPattern(g, 1, 5, pattern(0, {{kPillar, 1, 1}}), 1, GrowthDirection::Up);
  EXPECT_EQ(map().cell(1, 5).frontId(), kPillar);
  applyPattern(g, 3, 5, pattern(3, {{kPillar, 1, 1}, {kMoss, 1, 1}}), 1, GrowthDirection::Up);
  EXPECT_EQ(map().cell(3, 5).frontId(), kPillar);
  EXPECT_TRUE(map().cell(3, 5).hasDeco(kMoss, MapBlock::kFront));
  applyPattern(g, 5, 5, pattern(5, {{kPost, 1, 1}}), 1, GrowthDirection::Down);
  EXPECT_EQ(map().cell(5, 5).frontId(), kPost);
  EXPECT_EQ(map().cell(5, 5).blockState(), 2) << "an oriented block hangs from the ceiling";
  applyPattern(g, 7, 5, pattern(2, {{0x10C, 1, 1}}), 0, GrowthDirection::Up);
  EXPECT_EQ(map().cell(7, 5).frontId(), kSapling);
  ASSERT_EQ(g.treeSeeds.size(), 1u);
  EXPECT_EQ(g.treeSeeds[0].kind, 0x0C) << "the low byte of the entry names the tree";
}

TEST_F(DecorationPatternsTest, MirroredPatternsDrawTheirMirrorAndLayeredOnesAlwaysDo) {
  int mirrored = 0;
  for (int round = 0; round < 40; ++round) {
    WorldGenerator& g = makeWorld(8, 8);
    applyPattern(g, 2, 2, pattern(0, {{kPost, 1, 1}}, 1), 1, GrowthDirection::Right);
    const uint8_t state = map().cell(2, 2).blockState();
    ASSERT_TRUE(state == 1 || state == 5);
    mirrored += state == 5;
    applyPattern(g, 4, 2, pattern(3, {{kPillar, 1, 1}}), 1, GrowthDirection::Down);
    EXPECT_TRUE(map().cell(4, 2).blockState() == 0 || map().cell(4, 2).blockState() == 4);
  }
  EXPECT_GT(mirrored, 5);
  EXPECT_LT(mirrored, 35);
}

TEST_F(DecorationPatternsTest, BlocksFacingTheSolidSideTakeVariantOneBesideAWall) {
  WorldGenerator& g = makeWorld(16, 16);
  map().setBlockAt(kStone, 0, 2, 5, 0);
  map().setBlockAt(kStone, 0, 9, 5, 0);
  map().setBlockAt(kStone, 0, 11, 5, 0);
  const struct {
    int32_t x;
    uint8_t variant, state;
  } cases[] = {{3, 1, 0}, {8, 1, 4}, {10, 0, 0}};
  for (const auto& c : cases) {
    applyPattern(g, c.x, 5, pattern(0, {{kLamp, 1, 1}}), 1, GrowthDirection::Up);
    EXPECT_EQ(map().cell(c.x, 5).frontVariant(), c.variant) << "x " << c.x;
    EXPECT_EQ(map().cell(c.x, 5).blockState(), c.state) << "x " << c.x;
  }
}

}  // namespace
