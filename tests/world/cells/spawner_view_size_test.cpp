// The mob spawner's view follows the visible cell counts: a world made after they are known takes
// them, and the running world's spawner follows every change of the screen.

#include <gtest/gtest.h>

#include "platform/screen_layout.h"
#include "platform/settings/settings.h"
#include "world/cells/visible_cell_counts.h"
#include "world/current_world.h"
#include "world/entities/mob_spawner.h"
#include "world/world.h"
#include "world/world_launch_services.h"

namespace {

class SpawnerViewSize : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override {
    setCurrentWorld(nullptr);
    reset();
  }
  static void reset() {
    kel::resetSettings();
    resetScreenLayout();
    storeVisibleCellCounts(VisibleCellCounts{});
  }
  static std::unique_ptr<World> makeWorld() {
    WorldParams params;
    params.mode = 1;
    return std::make_unique<World>(nullptr, params, 20, 20);
  }
  static void screen(float longSide, float shortSide) {
    screenLayout().longSide = longSide;
    screenLayout().shortSide = shortSide;
    kel::options().viewportScale = kel::UIScale{4};
    WorldLaunchServices().updateVisibleCellCounts();
  }
};

TEST_F(SpawnerViewSize, TheRunningWorldsSpawnerFollowsTheScreenAndANewWorldStartsWithIt) {
  auto world = makeWorld();
  const SpawnRule& rule = world->mobSpawner().group(0).rule;
  EXPECT_EQ(rule.viewWidth, MobSpawner::kDefaultViewColumns) << "nothing known yet";
  setCurrentWorld(world.get());
  screen(1280, 1024);  // 90-pixel cells: 17 x 15
  EXPECT_EQ(rule.viewWidth, 17.0f);
  EXPECT_EQ(rule.viewHeight, 15.0f);
  EXPECT_FLOAT_EQ(rule.outerWidth, 17.0f * 1.4f);
  screen(1920, 1080);  // 1920 / 90 -> 22 (even) + 3, 1080 / 90 -> 12 (even) + 3
  EXPECT_EQ(rule.viewWidth, 25.0f) << "a resize reaches the spawner";
  EXPECT_EQ(rule.viewHeight, 15.0f);
  EXPECT_EQ(makeWorld()->mobSpawner().group(1).rule.viewWidth, 25.0f) << "a new world takes the counts";
}

}  // namespace
