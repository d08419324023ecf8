#include <gtest/gtest.h>

#include "content/items/block_edit.h"
#include "tests/game/game_fixture.h"
#include "world/light/light_map.h"
#include "world/plants/plant_system.h"

namespace game_test {
namespace {

// Wheat: planted 2340, a middle state 2338, grown 2337.
constexpr uint16_t kSprout = 2340, kGreen = 2338, kWheat = 2337;

class PeriodicTasksTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kSprout, {.flags = bits({33, 34}), .transparency = 1, .variants = 3});
    defineBlock(kGreen, {.transparency = 1, .variants = 2});
    defineBlock(kWheat, {.transparency = 1});
    remakeWorld();
    floorAt(4);
    world->map().lightMap().relightAll();
  }
};

TEST_F(PeriodicTasksTest, PlantedWheatGrowsThroughTheRulesTasks) {
  BlockEdit planting;
  makeBlockValue(planting, 10, 5, 4, kSprout, 0, MapBlock::kFront, 0);
  ASSERT_TRUE(rules.editBlock(planting, nullptr));
  ASSERT_EQ(world->plants().plantCount(), 1u);
  rules.startTimers();
  int seconds = 0;
  while (world->plants().plantCount() > 0 && seconds < 20 * 2000) {
    rules.timers().step();
    ++seconds;
  }
  EXPECT_EQ(at(10, 5).frontId(), kWheat);
  EXPECT_EQ(seconds % 20, 0) << "plants grow only on the twenty-second task";
}

}  // namespace
}  // namespace game_test
