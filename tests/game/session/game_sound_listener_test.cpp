#include <gtest/gtest.h>

#include "game/session/game_sound_listener.h"
#include "game/session/running_world.h"
#include "tests/game/game_fixture.h"
#include "world/cells/visible_cell_counts.h"

namespace {

class GameSoundListenerTest : public game_test::GameTest {
 protected:
  void TearDown() override {
    runningWorld().player.reset();
    runningWorld().world.reset();
    GameTest::TearDown();
  }
};

TEST_F(GameSoundListenerTest, HearsFromTheLocalPlayersCellOnlyWhileAGameRuns) {
  EXPECT_FALSE(gameSoundListener().listener().present);
  RunningWorld& running = runningWorld();
  running.world = World::create(&difficulty, WorldParams{}, 64, 30, worldContext());
  EXPECT_FALSE(gameSoundListener().listener().present);  // a world, but no player yet
  running.player = std::make_unique<PlayerDesktopLocal>(&game);
  running.player->setWorld(running.world.get());
  running.player->setCellCoordinates(12, 7);
  const kel::SoundListener heard = gameSoundListener().listener();
  ASSERT_TRUE(heard.present);
  EXPECT_EQ(heard.column, 12);
  EXPECT_EQ(heard.row, 7);
  EXPECT_EQ(heard.mapWidth, 64u);
  EXPECT_EQ(heard.visibleColumns, visibleCellCounts().columns);
  EXPECT_FALSE(gameSoundListener().musicPlace().present);
}

}  // namespace
