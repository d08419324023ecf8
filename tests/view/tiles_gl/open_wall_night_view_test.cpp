// A hill's back wall left standing in the open air at its cliff edge, read back from the screen by
// day and at night: the night darkens it as it darkens the sky's light on it, not less than the
// ground beside it.
#include "tests/view/world_view_fixture.h"

#include "view/tiles/tile_refresh.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/light/light_map.h"
#include "world/time/day_clock.h"

namespace worldgl {
namespace {

class OpenWallNightView : public WorldViewTest {
 protected:
  // A hill of dirt, front and behind, up to row 12 in columns 0-10; beyond its cliff the ground
  // ends at row 8, open to the sky above. With the view up, the player digs the fronts of column
  // 10 out from row 12 down to 9, so the hill's back walls stand there alone in the open air, the
  // cliff's face one column to the left.
  void SetUp() override {
    WorldViewTest::SetUp();
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) {
        const bool ground = y < (x <= 10 ? 13 : 9);
        MapBlock& c = map->cell(x, y);
        c.setSkyLevel(0);
        c.blockLight = 0;
        c.setFront(ground ? world_test::kDirt : world_test::kAir, 0, 0);
        c.setLayer(ground ? world_test::kDirt : world_test::kAir, 0, MapBlock::kBack);
      }
    }
    map->computeSurfaceHeights();
    map->lightMap().relightAll();
    build();
    WorldContext context = running.world->context();
    context.refresh = &refresh;
    running.world->setContext(context);
    for (int y = 12; y >= 9; --y) {
      const BlockEdit dig = editForCell(map->cell(10, y), edit_kind::kRemoveLayer);
      ASSERT_FALSE(running.world->applyBlockEdit(dig, nullptr).wasRefused()) << "row " << y;
    }
    ASSERT_EQ(map->cell(10, 9).frontId(), world_test::kAir);
    ASSERT_EQ(map->cell(10, 9).backId(), world_test::kDirt);
  }

  // The clock run on from day into the night, the view re-tinted at each change of darkness as the
  // game does on its clock's steps.
  void runIntoTheNight() {
    DayClock& clock = running.world->dayClock();
    for (int tick = 0; clock.phase != DayPhase::Night; ++tick) {
      ASSERT_LT(tick, 4 * static_cast<int>(DayClock::kTicksPerPhase));
      if (clock.advance().darknessChanged) refresh.refreshWorldLighting();
    }
    ASSERT_EQ(clock.darkness, DayClock::kMaxDarkness);
  }

  TileRefresh refresh;
};

TEST_F(OpenWallNightView, AWallStandingInTheOpenDarkensAtNightAsTheSkysLightOnIt) {
  for (const bool smooth : {false, true}) {
    kel::options().smoothLighting = smooth;
    running.world->dayClock() = DayClock{};
    refresh.refreshWorldLighting();
    frame();
    const Rgba wallByDay = cellPixel(10, 9);
    const Rgba faceByDay = cellPixel(9, 9);
    runIntoTheNight();
    frame();
    const Rgba wallAtNight = cellPixel(10, 9);
    const Rgba faceAtNight = cellPixel(9, 9);
    // The night's darkness of 12 leaves 3 of the open sky's 15 levels: a fifth of the day's light.
    for (size_t c = 0; c < 3; ++c) {
      EXPECT_GT(wallByDay[c], 20) << "smooth " << smooth;
      EXPECT_NEAR(wallAtNight[c], wallByDay[c] / 5, 3) << "channel " << c << ", smooth " << smooth;
    }
    // Wall and face show the same dirt: by day and at night alike the wall is the darker.
    EXPECT_LT(wallByDay[1], faceByDay[1]) << "smooth " << smooth;
    EXPECT_LT(wallAtNight[1], faceAtNight[1]) << "smooth " << smooth;
  }
}

}  // namespace
}  // namespace worldgl
