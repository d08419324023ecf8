#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "game/fishing/fishing_catch.h"
#include "tests/world/world_test_blocks.h"
#include "world/world.h"

namespace {

using world_test::WorldTest;

constexpr uint32_t kCoralPlanet = 0x80;  // where the lava and middle-depth rows bite
constexpr uint32_t kNoCatchPlanet = 0x1000;
constexpr int32_t kHeight = 100;
constexpr uint8_t kWater = 1, kLava = 2, kAcid = 3;

class FishingCatchTest : public WorldTest {
 protected:
  void makeWorld(uint32_t planet, DayPhase phase = DayPhase::Day) {
    addSurfacePlanet(planet);
    WorldParams params;
    params.planetId = planet;
    world = World::create(nullptr, params, 40, kHeight);
    world->dayClock().phase = phase;
  }
  const CatchRow& rowOf(uint16_t item) {
    const auto rows = catchTable();
    return *std::find_if(rows.begin(), rows.end(), [&](const CatchRow& r) { return r.rule.itemId == item; });
  }
  std::unique_ptr<World> world;
};

TEST(CatchTierTest, TheDrawMeetsTheThresholdsThatBaitMoves) {
  struct Case {
    float r;
    int bait;
    int tier;
  };
  const Case cases[] = {
      {0.0f, 0, 0},     {0.6f, 0, 0},      {0.6001f, 0, 1}, {0.85f, 0, 1},   {0.86f, 0, 2},
      {0.989f, 0, 2},   {0.99f, 0, 3},     {0.999f, 0, 3},  {0.9991f, 0, 4}, {1.0f, 0, 4},
      {0.5961f, 8, 1},  {0.5959f, 8, 0},   {0.9981f, 8, 4}, {0.9981f, 0, 3}, {0.985f, 5, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(catchTierFor(c.r, c.bait), c.tier) << c.r << " bait " << c.bait;
}

TEST_F(FishingCatchTest, RowsApplyByLiquidPlanetPhaseAndDepth) {
  makeWorld(kCoralPlanet, DayPhase::Night);
  struct Case {
    uint16_t item;
    uint8_t liquid;
    uint16_t row;  // of 100: up to 33 is the deepest band
    bool applies;
  };
  const Case cases[] = {
      {2111, kLava, 90, true},     // lava row, at night on its planet
      {2111, kWater, 90, false},
      {2303, kWater, 50, true},    // water, middle band
      {2303, kWater, 20, false},
      {2303, kLava, 50, false},
      {505, kAcid, 10, true},      // any liquid, any depth
      {1081, kWater, 33, true},    // deep only
      {1081, kWater, 34, false},
      {57, kWater, 50, false},     // its planets are 0x29
      {3902, kWater, 50, true},    // dusk or night
      {4094, kWater, 50, false},   // day only, another planet
  };
  for (const Case& c : cases) {
    EXPECT_EQ(catchRuleApplies(rowOf(c.item), c.liquid, *world, c.row), c.applies) << c.item << " row " << c.row;
  }
  world->dayClock().phase = DayPhase::Day;
  EXPECT_FALSE(catchRuleApplies(rowOf(2111), kLava, *world, 90)) << "the lava row bites at night";
  EXPECT_FALSE(catchRuleApplies(rowOf(3902), kWater, *world, 50));
}

TEST_F(FishingCatchTest, LavaNeverYieldsAWaterOnlyRow) {
  makeWorld(kCoralPlanet, DayPhase::Night);
  engine::randomSeed(3);
  int lavaRow = 0;
  for (int i = 0; i < 3000; ++i) {
    const uint16_t caught = pickFishingCatch(*world, kLava, 50, 0);
    ASSERT_NE(caught, kNothingCaught);
    const CatchRow& row = rowOf(caught);
    EXPECT_TRUE(row.rule.conditionMask == 0 || (row.rule.conditionMask & kLava) != 0) << caught;
    lavaRow += caught == 2111 ? 1 : 0;
  }
  EXPECT_GT(lavaRow, 0);
}

TEST_F(FishingCatchTest, RareTiersComeSeldomAndEveryTierCanCome) {
  makeWorld(kCoralPlanet);
  engine::randomSeed(9);
  std::array<int, kCatchTiers> byTier{};
  constexpr int kCasts = 20000;
  for (int i = 0; i < kCasts; ++i) ++byTier[rowOf(pickFishingCatch(*world, kWater, 50, 0)).tier];
  EXPECT_NEAR(byTier[0], kCasts * 0.60, kCasts * 0.02);
  EXPECT_NEAR(byTier[1], kCasts * 0.25, kCasts * 0.02);
  EXPECT_NEAR(byTier[2], kCasts * 0.139, kCasts * 0.02);
  EXPECT_GT(byTier[4], 0);
  EXPECT_LT(byTier[4], kCasts * 0.005);
}

TEST_F(FishingCatchTest, NothingBitesWhereNoRowApplies) {
  makeWorld(kNoCatchPlanet);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(pickFishingCatch(*world, kWater, 50, 62), kNothingCaught);
}

TEST(BobberTimeTest, ABetterRodShortensTheWaitAndTheBite) {
  for (uint32_t seed : {1u, 77u, 4242u}) {
    engine::randomSeed(seed);
    const float wait = bobberWaitTime(0);
    const float window = bobberBiteWindow(0);
    engine::randomSeed(seed);
    EXPECT_FLOAT_EQ(bobberWaitTime(5), wait * 0.5f);
    EXPECT_FLOAT_EQ(bobberBiteWindow(5), window * 0.5f);
    EXPECT_GE(wait, 20.0f * 60.0f);
    EXPECT_LE(wait, 40.0f * 60.0f);
    EXPECT_GE(window, 0.1f - 1e-6f);
    EXPECT_LE(window, 0.7f);
  }
  engine::randomSeed(5);
  const float noRod = bobberWaitTime(-1);
  engine::randomSeed(5);
  EXPECT_FLOAT_EQ(noRod, bobberWaitTime(0)) << "no rod counts as the plain rod";
}

}  // namespace
