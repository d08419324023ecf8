#include <gtest/gtest.h>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/decoration_patterns.h"

namespace {

using namespace world_test;

constexpr uint16_t kPost = 30;   // oriented, clear
constexpr uint16_t kPillar = 32;  // plain clear block

class DecorationPatternsTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    defineBlock(kPost, {.flags = bits({16}), .transparency = 1});
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


}  // namespace
