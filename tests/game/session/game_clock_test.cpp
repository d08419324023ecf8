// The local game's clock task as the player's world events reach it: registered once the world
// is entered, stopped and restarted by the player's clock pause, and gone once the game ends or
// is destroyed.

#include "game/player/game_clock.h"
#include "game/session/game_slots.h"
#include "tests/game/session/session_fixture.h"
#include "world/map/world_map.h"

namespace game_test {
namespace {

class GameClockTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    endWorld(running, game, rules);
    nullClock = &gameClock();
  }
  // The world file is read by the start's task; the game then runs.
  void startFromFile(GameLocal& which) {
    which.begin(0, {});
    advance(0.1f, 0.01f);
    ASSERT_TRUE(which.started);
  }
  GameClock* nullClock = nullptr;
};

TEST_F(GameClockTest, TheRunningGamesClockIsThePlayersUntilTheGameEnds) {
  startFromFile(game);
  ASSERT_NE(&gameClock(), nullClock);
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

  game.quit();
  EXPECT_EQ(&gameClock(), nullClock);
  EXPECT_EQ(saves.statisticsSaves, 1) << "ending the game saves the statistics";
}

TEST_F(GameClockTest, OnlyTheRunningGamesDestructionLeavesTheNullClock) {
  {
    GameLocal other{&rules};
    other.setRunningWorld(running);
    startFromFile(other);
    GameClock* registered = &gameClock();
    EXPECT_NE(registered, nullClock);
    { GameLocal idle{&rules}; }
    EXPECT_EQ(&gameClock(), registered) << "ending another game keeps the running game's clock";
    other.stopTimers();
  }
  EXPECT_EQ(&gameClock(), nullClock);
}

}  // namespace
}  // namespace game_test
