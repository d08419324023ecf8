#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

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

// The cells a plain breadth-first walk reaches from (x, y), in the order it reaches them: empty
// front, the four sides in the order right, up, left, down, columns wrapping, capped as the masks cap.
std::vector<std::pair<int32_t, int32_t>> breadthFirstOrder(const WorldMap& map, int32_t x, int32_t y) {
  std::vector<std::pair<int32_t, int32_t>> order{{x, y}};
  std::vector<bool> seen(map.cellCount(), false);
  seen[map.index(x, y)] = true;
  const int32_t steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (size_t i = 0; i < order.size(); ++i) {
    for (const auto& step : steps) {
      if (order.size() >= GeneratorMasks::kRegionCapacity) return order;
      const int32_t ny = order[i].second + step[1];
      if (ny < 0 || ny >= map.height()) continue;
      const int32_t nx = map.wrapX(order[i].first + step[0]);
      if (seen[map.index(nx, ny)] || map.cell(nx, ny).frontId() != 0) continue;
      seen[map.index(nx, ny)] = true;
      order.emplace_back(nx, ny);
    }
  }
  return order;
}

TEST_F(GeneratorMasksTest, FloodReachesCellsInBreadthFirstOrderAcrossTheSeam) {
  WorldGenerator& g = makeWorld(48, 40);
  fillGround(kStone, 40);
  // A ragged cave: boxes of many sizes, some crossing the seam between the last and first column.
  for (int32_t i = 0; i < 40; ++i) carveBox((i * 17) % 48, (i * 11) % 36, 1 + i % 5, 1 + (i * 3) % 4);
  carveBox(0, 0, 48, 1);  // the bottom row and three shafts join most of them
  for (int32_t shaft : {5, 23, 47}) carveBox(shaft, 0, 1, 40);
  GeneratorMasks masks(g);
  ASSERT_TRUE(masks.findPocket(-1, -1, {0, 0}));
  const GridPoint first = masks.region().front();
  const auto expected = breadthFirstOrder(map(), first.x, first.y);
  ASSERT_EQ(masks.region().size(), expected.size());
  EXPECT_GT(expected.size(), 200u);
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(masks.region()[i].x, expected[i].first) << "cell " << i;
    ASSERT_EQ(masks.region()[i].y, expected[i].second) << "cell " << i;
  }
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
