#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "game/fishing/fishing_catch.h"
#include "tests/world/world_test_blocks.h"
#include "world/world.h"

namespace {

using world_test::WorldTest;

constexpr uint32_t kCoralPlanet = 0x80;  // where the lava and middle-depth rows bite
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
      {2303, kWater, 20, false},   // water, middle band
      {505, kAcid, 10, true},      // any liquid, any depth
      {1081, kWater, 33, true},    // deep only
      {1081, kWater, 34, false},
      {57, kWater, 50, false},     // its planets are 0x29
  };
  for (const Case& c : cases) {
    EXPECT_EQ(catchRuleApplies(rowOf(c.item), c.liquid, *world, c.row), c.applies) << c.item << " row " << c.row;
  }
  world->dayClock().phase = DayPhase::Day;
  EXPECT_FALSE(catchRuleApplies(rowOf(2111), kLava, *world, 90)) << "the lava row bites at night";
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

}  // namespace
