// The local rules' periodic tasks that reach the world's forges and weather and the player's
// console: forges keep smelting through a pause and refresh the player who watches them, a
// weather change is told as the weather it brings, and the save reminder follows its options.

#include "game/player/player.h"
#include "tests/game/game_fixture.h"
#include "world/blocks/forge.h"
#include "world/weather/weather_state.h"
#include "world/weather/weather_table.h"

namespace game_test {
namespace {

class LogicTimerTasksTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    rules.startTimers();
  }
  void seconds(int count) {
    for (int i = 0; i < count; ++i) rules.timers().step();
  }
  uint16_t countdownOf(uint32_t id) {
    for (const LogicTimer& timer : rules.timers().records()) {
      if (timer.id == id) return timer.countdown;
    }
    return 0;
  }
};

TEST_F(LogicTimerTasksTest, ForgesSmeltThroughAPauseAndRefreshTheirWatcher) {
  auto& forge = static_cast<Forge&>(world->forges().add(std::make_unique<Forge>(at(5, 5))));
  forge.setItem(Forge::kFuel, makeItem(64, 1));
  forge.setItem(Forge::kInput, makeItem(65, 3));
  auto& cold = static_cast<Forge&>(world->forges().add(std::make_unique<Forge>(at(7, 5))));
  player->openContainer = &cold;
  game.pause();
  seconds(2);
  const uint16_t buffsBefore = countdownOf(11);
  seconds(13);
  EXPECT_EQ(countdownOf(11), buffsBefore);  // ordinary tasks wait
  ASSERT_NE(forge.itemAt(Forge::kOutput), nullptr);
  EXPECT_EQ(forge.itemAt(Forge::kOutput)->id, 1538);
  EXPECT_TRUE(events.forgeResults.empty());  // the watched forge is cold
  player->openContainer = &forge;
  seconds(3);
  EXPECT_EQ(events.forgeResults.size(), 1u);
  player->openContainer = nullptr;
}

TEST_F(LogicTimerTasksTest, AWeatherChangeIsToldAsTheWeatherItBrings) {
  WeatherState& weather = world->weather();
  weather.table = weatherTableForPlanet(1);
  ASSERT_NE(weather.table, nullptr);
  for (int change = 0; change < 2; ++change) {
    const WeatherKind before = weather.kind;
    weather.accumulator = 2.0f;  // beats any draw: the next step changes the weather
    events.texts.clear();
    seconds(20);
    ASSERT_EQ(events.sky.size(), static_cast<size_t>(change + 1));
    EXPECT_EQ(events.sky.back(), static_cast<uint8_t>(weather.kind));
    ASSERT_EQ(events.texts.size(), 1u);
    if (before == WeatherKind::None) {
      EXPECT_TRUE(events.texts[0].id == 179 || events.texts[0].id == 180) << events.texts[0].id;
    } else {
      EXPECT_EQ(weather.kind, WeatherKind::None);
      EXPECT_TRUE(events.texts[0].id == 182 || events.texts[0].id == 183) << events.texts[0].id;
    }
  }
}

TEST_F(LogicTimerTasksTest, TheSaveReminderComesOnlyWithoutAutosave) {
  const struct {
    bool reminder, autosave, shown;
  } cases[] = {{true, false, true}, {true, true, false}, {false, false, false}};
  for (const auto& c : cases) {
    events.messages.clear();
    kel::options().saveReminder = c.reminder;
    kel::options().shouldAutosave = c.autosave;
    seconds(299);
    EXPECT_TRUE(events.messages.empty());
    seconds(1);
    EXPECT_EQ(events.messages, (c.shown ? RecordingEvents::Messages{{2, LocalLogic::kSaveReminder}}
                                        : RecordingEvents::Messages{}));
  }
}

}  // namespace
}  // namespace game_test
