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

class TaskEvents final : public PlayerEvents {
 public:
  void message(uint8_t kind, const std::string& text) override { messages.push_back({kind, text}); }
  void textById(uint8_t, int16_t id) override { texts.push_back(id); }
  void skyWeather(uint8_t kind) override { sky.push_back(kind); }
  void forgeRefreshed(PlayerGraphical&, int result) override { forgeResults.push_back(result); }
  struct Shown {
    uint8_t kind;
    std::string text;
  };
  std::vector<Shown> messages;
  std::vector<int16_t> texts;
  std::vector<uint8_t> sky;
  std::vector<int> forgeResults;
};

class LogicTimerTasksTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    setPlayerEvents(&taskEvents);
    rules.startTimers();
  }
  void TearDown() override {
    setPlayerEvents(nullptr);
    GameTest::TearDown();
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
  TaskEvents taskEvents;
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
  EXPECT_TRUE(taskEvents.forgeResults.empty());  // the watched forge is cold
  player->openContainer = &forge;
  seconds(3);
  EXPECT_EQ(taskEvents.forgeResults.size(), 1u);
  player->openContainer = nullptr;
}

TEST_F(LogicTimerTasksTest, AWeatherChangeIsToldAsTheWeatherItBrings) {
  WeatherState& weather = world->weather();
  weather.table = weatherTableForPlanet(1);
  ASSERT_NE(weather.table, nullptr);
  for (int change = 0; change < 2; ++change) {
    const WeatherKind before = weather.kind;
    weather.accumulator = 2.0f;  // beats any draw: the next step changes the weather
    taskEvents.texts.clear();
    seconds(20);
    ASSERT_EQ(taskEvents.sky.size(), static_cast<size_t>(change + 1));
    EXPECT_EQ(taskEvents.sky.back(), static_cast<uint8_t>(weather.kind));
    ASSERT_EQ(taskEvents.texts.size(), 1u);
    if (before == WeatherKind::None) {
      EXPECT_TRUE(taskEvents.texts[0] == 179 || taskEvents.texts[0] == 180) << taskEvents.texts[0];
    } else {
      EXPECT_EQ(weather.kind, WeatherKind::None);
      EXPECT_TRUE(taskEvents.texts[0] == 182 || taskEvents.texts[0] == 183) << taskEvents.texts[0];
    }
  }
}

TEST_F(LogicTimerTasksTest, TheSaveReminderComesOnlyWithoutAutosave) {
  const struct {
    bool reminder, autosave;
    size_t shown;
  } cases[] = {{true, false, 1}, {true, true, 0}, {false, false, 0}};
  for (const auto& c : cases) {
    taskEvents.messages.clear();
    kel::options().saveReminder = c.reminder;
    kel::options().shouldAutosave = c.autosave;
    seconds(299);
    EXPECT_TRUE(taskEvents.messages.empty());
    seconds(1);
    ASSERT_EQ(taskEvents.messages.size(), c.shown);
    if (c.shown == 0) continue;
    EXPECT_EQ(taskEvents.messages[0].kind, 2);
    EXPECT_EQ(taskEvents.messages[0].text, LocalLogic::kSaveReminder);
  }
}

}  // namespace
}  // namespace game_test
