// Two players in one world, each with the clock it was made with: pausing or setting the day
// clock reaches the acting player's own game clock only, and a player made without one reaches
// none.

#include <memory>
#include <string>
#include <vector>

#include "game/player/game_clock.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

class ClockLog final : public GameClock {
 public:
  explicit ClockLog(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  bool sleeping() const override { return asleep; }
  void stopClockTask() override { log_.push_back(name_ + " stop"); }
  void scheduleClockTask() override { log_.push_back(name_ + " schedule"); }
  bool asleep = false;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class TwoPlayersClocksTest : public GameTest {
 protected:
  GameClock* playerClock() override { return &mine; }
  void SetUp() override {
    GameTest::SetUp();
    other = std::make_unique<PlayerDesktopLocal>(&game, &otherEvents, &theirs);
    other->setWorld(world.get());
  }
  void TearDown() override {
    other.reset();
    GameTest::TearDown();
  }

  std::vector<std::string> log;
  ClockLog mine{"mine", log};
  ClockLog theirs{"theirs", log};
  RecordingEvents otherEvents;
  std::unique_ptr<PlayerDesktopLocal> other;
};

TEST_F(TwoPlayersClocksTest, EachPlayersPauseReachesItsOwnClock) {
  other->setTickPaused(true);
  player->setTickPaused(true);
  other->setTickPaused(false);
  EXPECT_EQ(log, (std::vector<std::string>{"theirs stop", "mine stop", "theirs schedule"}));
}

TEST_F(TwoPlayersClocksTest, SettingTheDayClockAsksOnlyTheActingPlayersClockWhetherItSleeps) {
  world->dayClock().running = 1;
  mine.asleep = true;  // the local game sleeps: its every-frame clock is left alone
  player->setDayClock(2, 512 + 300);
  other->setDayClock(2, 512 + 300);
  EXPECT_EQ(log, (std::vector<std::string>{"theirs schedule"}));
}

TEST_F(TwoPlayersClocksTest, APlayerMadeWithoutAClockReachesNone) {
  PlayerDesktopLocal alone(&game, &otherEvents);
  alone.setWorld(world.get());
  alone.setTickPaused(true);
  alone.setTickPaused(false);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(alone.clock().sleeping());
  EXPECT_NE(&alone.clock(), &mine);
}

}  // namespace
}  // namespace game_test
