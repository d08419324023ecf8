#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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
  // A stone world of the size with one box carved and the masks over it.
  GeneratorMasks& boxInStone(int32_t w, int32_t h, int32_t x0, int32_t y0, int32_t bw, int32_t bh) {
    gen_ = &makeWorld(w, h);
    fillGround(kStone, h);
    carveBox(x0, y0, bw, bh);
    masks_ = std::make_unique<GeneratorMasks>(*gen_);
    return *masks_;
  }
  // A dressing of any region size at least `minRegion` over the whole depth.
  static CaveDressing dressing(float spreadChance, float density, int32_t minRegion, int32_t maxRegion) {
    CaveDressing rule;
    rule.spreadChance = spreadChance;
    rule.density = density;
    rule.lo = 0.0f;
    rule.hi = 1.5f;
    rule.minRegion = minRegion;
    rule.maxRegion = maxRegion;
    return rule;
  }
  WorldGenerator* gen_ = nullptr;
  std::unique_ptr<GeneratorMasks> masks_;
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
  } cases[] = {{2, 10}, {9, 15}};
  for (const auto& c : cases) {
    GeneratorMasks& masks = boxInStone(64, 64, 30, 30, 5, 3);  // density base 0.25: one pool for density 4
    PoolRule rule{0.0f, 1.5f, 4.0f, 10, 20, c.level, c.level, 3};
    masks.fillPool(rule);
    EXPECT_EQ(static_cast<int>(gen_->counts.liquidSources), c.sources) << "level " << c.level;
    EXPECT_EQ(map().cell(30, 30).liquidKind(), LiquidKind::Acid);
  }
}

TEST_F(GeneratorMasksTest, DecayingSpreadReachesAtMostFourStepsFromThePocket) {
  CaveDressing rule = dressing(0.25f, 4.0f, 1, 10);  // the spread chance is the decay per step
  rule.replacements = {{exact(kStone), kOre, -1}};
  rule.decaying = 1;
  boxInStone(64, 64, 30, 30, 3, 3).dressWith(rule);
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

TEST_F(GeneratorMasksTest, PlainSpreadWalksDeepRegionsWithoutRecursion) {
  CaveDressing rule = dressing(1.0f, 0.0625f, 1, -1);  // density base 16: one pocket
  rule.replacements = {{exact(kStone), kOre, -1}};
  // 262,144 cells, one spread would recurse that deep.
  boxInStone(1024, 256, 0, 100, 1024, 1).dressWith(rule);
  EXPECT_EQ(countFront(kStone), 0) << "chance 1 spreads over every connected stone cell";
}

}  // namespace
