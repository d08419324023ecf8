#include <gtest/gtest.h>

#include "game/session/game_sound_listener.h"
#include "game/session/running_world.h"
#include "tests/game/game_fixture.h"
#include "content/planets/planet_def.h"
#include "world/cells/visible_cell_counts.h"
#include "world/map/world_map.h"
#include "world/time/day_clock.h"

namespace {

class GameSoundListenerTest : public game_test::GameTest {
 protected:
  void TearDown() override {
    runningWorld().player.reset();
    runningWorld().world.reset();
    GameTest::TearDown();
  }
};

TEST_F(GameSoundListenerTest, HearsFromTheLocalPlayersCellAndKnowsItsPlaceOnlyWhileAGameRuns) {
  EXPECT_FALSE(gameSoundListener().listener().present);
  RunningWorld& running = runningWorld();
  const VisibleCellCounts view{23, 13};
  WorldContext context = worldContext();
  context.visibleCells = &view;
  running.world = World::create(&difficulty, WorldParams{}, 64, 30, context);
  EXPECT_FALSE(gameSoundListener().listener().present);  // a world, but no player yet
  running.player = std::make_unique<PlayerDesktopLocal>(&game);
  running.player->setWorld(running.world.get());
  running.player->setCellCoordinates(12, 7);
  const kel::SoundListener heard = gameSoundListener().listener();
  ASSERT_TRUE(heard.present);
  EXPECT_EQ(heard.column, 12);
  EXPECT_EQ(heard.row, 7);
  EXPECT_EQ(heard.mapWidth, 64u);
  EXPECT_EQ(heard.visibleColumns, 23) << "the columns the world's view shows";
  running.world->dayClock().phase = DayPhase::Night;
  const kel::MusicPlace place = gameSoundListener().musicPlace();
  ASSERT_TRUE(place.present);
  const WorldMap& map = running.world->map();
  EXPECT_EQ(place.planetBit, static_cast<int32_t>(map.planet().id));
  EXPECT_EQ(place.dayPhase, 4u);
  EXPECT_EQ(place.playerRow, 7);
  EXPECT_EQ(place.mapHeight, 30u);
  EXPECT_EQ(place.scaledHeight, static_cast<uint32_t>(map.heightLevel()));
  EXPECT_EQ(place.planetDepth, static_cast<int32_t>(map.planet().parameters.surfaceAmplitude));
  running.player.reset();
  EXPECT_FALSE(gameSoundListener().musicPlace().present);
}

}  // namespace
