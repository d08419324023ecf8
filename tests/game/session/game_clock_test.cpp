// The local game's clock task as the player's world events reach it: the loaded player is given
// the game's clock, the player's clock pause stops and restarts the task, and the clock reaches
// nothing before the game runs or after it ends.

#include "game/player/game_clock.h"
#include "game/session/game_timers.h"
#include "tests/game/session/session_fixture.h"
#include "world/map/world_map.h"

namespace game_test {
namespace {

class GameClockTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    endWorld(running, game, rules, &statsStore());
  }
  // The world file is read by the start's task; the game then runs.
  void startFromFile(GameLocal& which) {
    which.begin(0, {});
    advance(0.1f, 0.01f);
    ASSERT_TRUE(which.isStarted());
  }
};

TEST_F(GameClockTest, TheRunningGamesClockIsThePlayersUntilTheGameEnds) {
  startFromFile(game);
  ASSERT_TRUE(worldTask(world_timer::kClock));

  running.player->setTickPaused(true);
  EXPECT_FALSE(worldTask(world_timer::kClock)) << "the pause stops the clock task";
  const uint32_t stopped = running.world->dayClock().tickCounter;
  advance(2.0f);
  EXPECT_EQ(running.world->dayClock().tickCounter, stopped);

  running.player->setTickPaused(false);
  EXPECT_TRUE(worldTask(world_timer::kClock));
  advance(2.0f);
  EXPECT_GT(running.world->dayClock().tickCounter, stopped) << "the clock steps again";

  GameClock& clock = running.player->clock();
  game.quit();
  EXPECT_EQ(saves.statisticsSaves, 1) << "ending the game saves the statistics";
  clock.scheduleClockTask();
  EXPECT_FALSE(clock.sleeping());
  EXPECT_FALSE(worldTask(world_timer::kClock)) << "an ended game's clock reaches no task";
}

// Two games in one process, each with its own running world: each loaded player reaches its own
// game's clock task, and pausing one world's clock leaves the other's running.
TEST_F(GameClockTest, EachGamesPlayerReachesItsOwnGamesClock) {
  RunningWorld otherRunning;
  GameLocal other{&rules, servicesWith(otherRunning)};
  startFromFile(game);
  startFromFile(other);
  ASSERT_NE(otherRunning.world, nullptr);
  ASSERT_TRUE(otherRunning.world->timers().isScheduled(world_timer::kClock));
  ASSERT_TRUE(worldTask(world_timer::kClock));

  otherRunning.player->setTickPaused(true);
  EXPECT_FALSE(otherRunning.world->timers().isScheduled(world_timer::kClock));
  EXPECT_TRUE(worldTask(world_timer::kClock)) << "the other game's pause leaves this game's clock";
  other.quit();
  game.stopTimers();
}

}  // namespace
}  // namespace game_test
