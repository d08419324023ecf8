// The mob spawner's view follows the visible cell counts its world's context names: a world made
// after they are known takes them, the running world's spawner follows every change of the screen,
// and two worlds of two views each keep their own.

#include <gtest/gtest.h>

#include "platform/screen_layout.h"
#include "platform/settings/settings.h"
#include "world/cells/visible_cell_counts.h"
#include "world/current_world.h"
#include "world/entities/mob_spawner.h"
#include "world/world.h"
#include "world/world_launch_services.h"
#include "tests/support/settings_reset.h"
#include "tests/support/screen_layout_reset.h"

namespace {

class SpawnerViewSize : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override {
    setCurrentWorld(nullptr);
    reset();
  }
  static void reset() {
    testsupport::resetSettings();
    resetScreenLayout();
    storeVisibleCellCounts(VisibleCellCounts{});
  }
  // A world whose view is the program's screen, as the application wires it.
  static std::unique_ptr<World> makeWorld(const VisibleCellCounts* view = &visibleCellCounts()) {
    WorldParams params;
    params.mode = 1;
    return std::make_unique<World>(nullptr, params, 20, 20, WorldContext{.visibleCells = view});
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

TEST_F(SpawnerViewSize, TwoWorldsOfTwoViewsEachSpawnForTheirOwn) {
  const VisibleCellCounts small{11, 9};
  const VisibleCellCounts large{31, 19};
  auto first = makeWorld(&small);
  auto second = makeWorld(&large);
  auto unseen = makeWorld(nullptr);
  EXPECT_EQ(first->mobSpawner().group(0).rule.viewWidth, 11.0f);
  EXPECT_EQ(first->mobSpawner().group(0).rule.viewHeight, 9.0f);
  EXPECT_EQ(second->mobSpawner().group(0).rule.viewWidth, 31.0f);
  EXPECT_EQ(second->mobSpawner().group(0).rule.viewHeight, 19.0f);
  EXPECT_EQ(unseen->mobSpawner().group(0).rule.viewWidth, MobSpawner::kDefaultViewColumns);
  // A world given a view later follows it at once.
  unseen->setContext(WorldContext{.visibleCells = &large});
  EXPECT_EQ(unseen->mobSpawner().group(0).rule.viewWidth, 31.0f);
}

}  // namespace
