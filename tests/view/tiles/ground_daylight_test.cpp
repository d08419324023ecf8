// Daylight drawn into solid ground: a solid cell shows the sky of the nearest open cell less a
// step for each cell of ground between, so a sunlit hill darkens in steps with its depth instead of
// turning black two cells in; an unlit cave gives nothing, and the night's darkness carries through.

#include "view/tiles/ground_daylight.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/world/world_test_blocks.h"
#include "view/tiles/seeping_memo.h"
#include "view/tiles/tile_light.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr int kWidth = 12;
constexpr int kHeight = 16;
constexpr int kSurface = 12;  // rows 0-11 are dirt, rows 12 and up open air

class GroundDaylight : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world = World::create(nullptr, WorldParams{}, kWidth, kHeight);
    map = &world->map();
    for (int x = 0; x < kWidth; ++x) {
      for (int y = 0; y < kHeight; ++y) {
        MapBlock& cell = map->cell(x, y);
        if (y < kSurface) cell.setFront(world_test::kDirt, 0, 0);
        // What the light map gives: full sky in the open, 13 on the top face, 6 less per cell below.
        cell.setSkyLevel(static_cast<uint8_t>(y >= kSurface ? 15 : std::max(0, 13 - 6 * (kSurface - 1 - y))));
      }
    }
  }
  int seeping(int x, int y, uint32_t darkness = 0) const { return ground_daylight::seepingSky(*map, x, y, darkness); }
  std::unique_ptr<World> world;
  WorldMap* map = nullptr;
};

TEST_F(GroundDaylight, GroundUnderTheOpenSkyDarkensAStepPerCellOfDepthDownToTheDarkALevelAtATime) {
  const int expected[] = {15, 13, 11, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  for (int depth = 1; depth <= 11; ++depth) {
    EXPECT_EQ(seeping(5, kSurface - depth), expected[depth]) << depth;
    EXPECT_LE(seeping(5, kSurface - depth - 1), seeping(5, kSurface - depth)) << "never lighter deeper down";
    EXPECT_LE(seeping(5, kSurface - depth) - seeping(5, kSurface - depth - 1), 2) << "no lit step next to the dark";
  }
  EXPECT_EQ(seeping(5, kSurface - 1 - ground_daylight::kReach), 0) << "past the reach the ground stays black";
}

TEST_F(GroundDaylight, DrawnGroundIsLitDeeperThanTheLightMapCarriesIt) {
  // Three cells down the light map leaves sky 1; the drawing shows the seeping level instead.
  MapBlock& deep = map->cell(5, kSurface - 3);
  ASSERT_EQ(deep.skyLevel(), 1);
  const uint8_t drawn = tile_light::shadeOf(15 - ground_daylight::lossAt(3));
  EXPECT_EQ(tile_light::flatColours(*map, deep, 0).front, (engine::Color3B{drawn, drawn, drawn}));
  EXPECT_EQ(tile_light::flatColours(map->props(), deep, 0).front, (engine::Color3B{38, 38, 38}))
      << "the cell's own light is what the light map says";
  engine::Color3B own;
  tile_light::cornerColours(*map, deep, 0, own);
  EXPECT_EQ(own, (engine::Color3B{drawn, drawn, drawn}));
}

TEST_F(GroundDaylight, AnUnlitCaveGivesNothingAndAnOpenCellKeepsItsOwnLight) {
  // A dark pocket two cells wide deep in the ground, past the daylight's reach.
  for (int x = 4; x <= 5; ++x) {
    map->cell(x, 1).setFront(world_test::kAir, 0, 0);
    map->cell(x, 1).setSkyLevel(0);
  }
  EXPECT_EQ(seeping(4, 0), 0) << "rock beside the dark pocket";
  const engine::Color3B open = tile_light::flatColours(*map, map->cell(4, 1), 0).front;
  EXPECT_EQ(open, (engine::Color3B{0, 0, 0})) << "the pocket's air is not ground";
}

TEST_F(GroundDaylight, TheNightsDarknessCarriesIntoTheGround) {
  EXPECT_EQ(seeping(5, kSurface - 1, 5), 10 - ground_daylight::lossAt(1));
  EXPECT_EQ(seeping(5, kSurface - 2, 12), 0) << "by night the sky has nothing to give two cells down";
}

TEST_F(GroundDaylight, TheSearchReachesAcrossTheWrapSeam) {
  // A shaft open to the sky in the last column; the rock of column 0 lies beside it.
  for (int y = 0; y < kSurface; ++y) {
    map->cell(kWidth - 1, y).setFront(world_test::kAir, 0, 0);
    map->cell(kWidth - 1, y).setSkyLevel(15);
  }
  EXPECT_EQ(seeping(0, 1), 15 - ground_daylight::lossAt(1));
}

// A pass of re-tints keeps each cell's seeping daylight for its neighbours' corners; a neighbour
// read alone searches only as far as the corners can use. Neither changes a colour: over ground cut
// with caves and tunnels at several depths, by day and by night, every cell's corners are those it
// gets looked at on its own.
TEST_F(GroundDaylight, AMemoOfThePassAndAShortenedSearchDrawTheCornersAsBefore) {
  for (int x = 0; x < kWidth; ++x) {
    for (int y = 1; y < kSurface; y += 3) {
      if ((x + y) % 4 == 0) continue;  // pillars between the hollows
      map->cell(x, y).setFront(world_test::kAir, 0, 0);
      map->cell(x, y).setSkyLevel(static_cast<uint8_t>((x * 5 + y) % 16));
    }
  }
  size_t compared = 0;
  for (uint32_t darkness : {0u, 4u, 11u}) {
    SeepingMemo memo(kWidth, kHeight);
    for (int x = 0; x < kWidth; ++x) {
      for (int y = 0; y < kHeight; ++y) {
        const MapBlock& cell = map->cell(x, y);
        const tile_light::LayerColours flat = tile_light::flatColours(*map, cell, darkness);
        engine::Color3B alone, inPass;
        const tile_light::LayerCorners expected = tile_light::cornerColours(*map, cell, darkness, alone);
        const tile_light::LayerCorners got = tile_light::cornerColours(*map, cell, darkness, inPass, &memo);
        EXPECT_EQ(got.front, expected.front) << x << "," << y << " darkness " << darkness;
        EXPECT_EQ(got.back, expected.back) << x << "," << y << " darkness " << darkness;
        EXPECT_EQ(inPass, alone);
        EXPECT_EQ(alone, flat.front) << "a cell's own colour is its flat one";
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 3u * kWidth * kHeight);
}

TEST_F(GroundDaylight, TheSearchGivesAtLeastTheCellsOwnLevelAndStopsOnceItHasEnough) {
  EXPECT_EQ(ground_daylight::seepingSky(*map, 5, kSurface - 3, 0, 12), 12) << "its own level, brighter than what seeps";
  EXPECT_EQ(ground_daylight::seepingSky(*map, 5, kSurface - 3, 0), 15 - ground_daylight::lossAt(3));
  EXPECT_GE(ground_daylight::seepingSky(*map, 5, kSurface - 3, 0, 0, 4), 4) << "enough is enough, whatever lies beyond";
}

}  // namespace
