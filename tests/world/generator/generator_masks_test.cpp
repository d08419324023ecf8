#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/generator_masks.h"

namespace {

using namespace world_test;

class GeneratorMasksTest : public GeneratorTest {
 protected:
  // Solid stone with an empty box of w x h cells at (x0, y0).
  void carveBox(int32_t x0, int32_t y0, int32_t w, int32_t h) {
    for (int32_t x = x0; x < x0 + w; ++x) {
      for (int32_t y = y0; y < y0 + h; ++y) map().setBlockAt(0, 0, x, y, 0);
    }
  }
};

TEST_F(GeneratorMasksTest, PocketSizeBoundsAndMarksKeepCellsFromServingTwice) {
  WorldGenerator& g = makeWorld(64, 64);
  fillGround(kStone, 64);
  carveBox(10, 10, 4, 3);  // 12 cells
  carveBox(40, 40, 2, 2);  // 4 cells
  GeneratorMasks masks(g);
  const RowRange all{0, 63};
  ASSERT_TRUE(masks.findPocket(10, 13, all));
  EXPECT_EQ(masks.region().size(), 12u);
  EXPECT_TRUE(masks.marked(11, 11));
  EXPECT_FALSE(masks.marked(40, 40)) << "a rejected flood's marks are cleared";
  EXPECT_FALSE(masks.findPocket(10, 13, all)) << "the only pocket of that size is taken";
  EXPECT_EQ(g.counts.gaveUp[static_cast<size_t>(RetryKind::Pocket)], 1u);
  ASSERT_TRUE(masks.findPocket(-1, -1, all));
  EXPECT_EQ(masks.region().size(), 4u);
}

TEST_F(GeneratorMasksTest, FloodStopsAtTheRegionCapacity) {
  WorldGenerator& g = makeWorld(256, 128);  // empty: one region of 32,768 cells
  GeneratorMasks masks(g);
  ASSERT_TRUE(masks.findPocket(-1, -1, {0, 127}));
  EXPECT_EQ(masks.region().size(), GeneratorMasks::kRegionCapacity);
}

TEST_F(GeneratorMasksTest, PoolsFillTheLowestRowsOfTheirPocket) {
  const struct {
    uint16_t level;
    int sources;
  } cases[] = {{0, 0}, {1, 5}, {2, 10}, {9, 15}};
  for (const auto& c : cases) {
    WorldGenerator& g = makeWorld(64, 64);  // density base 0.25: one pool for density 4
    fillGround(kStone, 64);
    carveBox(30, 30, 5, 3);
    GeneratorMasks masks(g);
    PoolRule rule{0.0f, 1.5f, 4.0f, 10, 20, c.level, c.level, 3};
    masks.fillPool(rule);
    EXPECT_EQ(static_cast<int>(g.counts.liquidSources), c.sources) << "level " << c.level;
    if (c.sources > 0) {
      EXPECT_EQ(map().cell(30, 30).liquidKind(), LiquidKind::Acid);
      EXPECT_TRUE(map().cell(34, 30).hasFlag(cell_flag::kLiquidSource));
    }
  }
}

TEST_F(GeneratorMasksTest, DecayingSpreadReachesAtMostFourStepsFromThePocket) {
  CaveDressing rule;
  rule.replacements = {{exact(kStone), kOre, -1}};
  rule.decaying = 1;
  rule.spreadChance = 0.25f;  // the decay per step
  rule.density = 4.0f;
  rule.lo = 0.0f;
  rule.hi = 1.5f;
  rule.minRegion = 1;
  rule.maxRegion = 10;
  WorldGenerator& g = makeWorld(64, 64);
  fillGround(kStone, 64);
  carveBox(30, 30, 3, 3);
  GeneratorMasks masks(g);
  masks.dressWith(rule);
  // Steps from the pocket: the distance to the nearest box cell.
  auto away = [](int32_t v) { return v < 30 ? 30 - v : v > 32 ? v - 32 : 0; };
  int farthest = 0;
  for (int32_t x = 0; x < 64; ++x) {
    for (int32_t y = 0; y < 64; ++y) {
      if (map().cell(x, y).frontId() == kOre) farthest = std::max(farthest, away(x) + away(y));
    }
  }
  EXPECT_GE(farthest, 1);
  EXPECT_LE(farthest, 4);
}

TEST_F(GeneratorMasksTest, DressingWithoutReplacementsTouchesOnlyTheCellsBesideThePocket) {
  CaveDressing rule;
  rule.topRules = {{exact(kStone), 1.0f, kMoss}};
  rule.spreadChance = 1.0f;
  rule.density = 4.0f;
  rule.lo = 0.0f;
  rule.hi = 1.5f;
  rule.minRegion = 3;
  rule.maxRegion = -1;
  WorldGenerator& g = makeWorld(64, 64);
  fillGround(kStone, 64);
  carveBox(30, 31, 3, 2);
  GeneratorMasks masks(g);
  masks.dressWith(rule);
  for (int32_t x = 30; x < 33; ++x) EXPECT_TRUE(map().cell(x, 30).hasDeco(kMoss, MapBlock::kFront)) << x;
  EXPECT_FALSE(map().cell(30, 29).hasDeco(kMoss, MapBlock::kFront)) << "no spreading beyond the floor";
  EXPECT_FALSE(map().cell(29, 31).hasDeco(kMoss, MapBlock::kFront)) << "a wall has no air above";
}

TEST_F(GeneratorMasksTest, PlainSpreadWalksDeepRegionsWithoutRecursion) {
  CaveDressing rule;
  rule.replacements = {{exact(kStone), kOre, -1}};
  rule.spreadChance = 1.0f;
  rule.density = 0.0625f;  // density base 16: one pocket
  rule.lo = 0.0f;
  rule.hi = 1.5f;
  rule.minRegion = 1;
  rule.maxRegion = -1;
  WorldGenerator& g = makeWorld(1024, 256);  // 262,144 cells, one spread would recurse that deep
  fillGround(kStone, 256);
  carveBox(0, 100, 1024, 1);
  GeneratorMasks masks(g);
  masks.dressWith(rule);
  EXPECT_EQ(countFront(kStone), 0) << "chance 1 spreads over every connected stone cell";
}

}  // namespace
