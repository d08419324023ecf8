#include <gtest/gtest.h>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/cave_carver.h"
#include "world/generator/terrain_passes.h"

namespace {

using namespace world_test;

class CaveCarverTest : public GeneratorTest {};

// A worm of fixed length and legs that never turns, walking by single cells.
WormRule straightWorm(float radius, float lo, float hi, uint16_t length, uint16_t legSteps) {
  WormRule worm;
  worm.step = 1.0f;
  worm.radius = radius;
  worm.lo = lo;
  worm.hi = hi;
  worm.minLength = worm.maxLength = length;
  worm.minLegSteps = worm.maxLegSteps = legSteps;
  worm.minTurn = worm.maxTurn = 0;
  return worm;
}

TEST_F(CaveCarverTest, CavesEmptyUpToTheirSizeAndNeverBreakBedrockButWormsDo) {
  WorldGenerator& g = makeWorld(32, 32);
  fillGround(kStone, 32);
  placeBedrock(g);
  const int bedrock = countFront(kBedrock);
  EXPECT_EQ(carveCave(g, 20, 20, 0.0f, 25), 25) << "the size bounds the cells emptied";
  const int stone = countFront(kStone);
  const int emptied = carveCave(g, 10, 5, 0.0f, 0);  // no size limit: the flood runs until it dries up
  EXPECT_GT(emptied, stone / 2);
  EXPECT_EQ(countFront(kStone), stone - emptied);
  EXPECT_EQ(countFront(kBedrock), bedrock);

  const WormRule worm = straightWorm(3.0f, 0.0f, 0.05f, 40, 5);  // rows 0-1: the walk hugs the floor
  fillGround(kBedrock, 32);
  carveWorm(g, worm);
  EXPECT_LT(countFront(kBedrock), 32 * 32);
}

TEST_F(CaveCarverTest, WormStaysInItsRowsUpToThePointThatLeftThemAndCarvesEveryPoint) {
  const WormRule worm = straightWorm(1.5f, 0.2f, 0.6f, 500, 50);
  WorldGenerator& g = makeWorld(64, 64);
  const RowRange rows = g.depthRange(worm.lo, worm.hi);
  fillGround(kStone, 64);
  carveWorm(g, worm);
  for (size_t i = 0; i + 1 < g.carveList.size(); ++i) {
    ASSERT_GE(g.carveList[i].y, rows.lo - 1) << "point " << i;
    ASSERT_LE(g.carveList[i].y, rows.hi) << "point " << i;
  }
  for (const GridPoint& p : g.carveList) {
    if (p.y >= 0 && p.y < 64) {
      EXPECT_EQ(map().cell(map().wrapX(p.x), p.y).frontId(), 0);
    }
  }
}


}  // namespace
