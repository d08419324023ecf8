// The local player's world events: weather texts and the rain ambience, setting the day clock with
// the game's clock task, and a finished brew.

#include <memory>

#include "game/crafting/recipe_knowledge.h"
#include "game/player/game_clock.h"
#include "game/rules/brewing_rules.h"
#include "tests/game/game_fixture.h"
#include "world/blocks/alchemy_lab.h"
#include "world/weather/weather_state.h"

namespace game_test {
namespace {

class WorldEventLog final : public PlayerEvents {
 public:
  void textById(uint8_t kind, int16_t id) override { log.push_back("text" + std::to_string(kind) + " " + std::to_string(id)); }
  void rainAmbience(bool on) override { log.push_back(on ? "rain on" : "rain off"); }
  void skyWeather(uint8_t kind) override { log.push_back("sky " + std::to_string(kind)); }
  void skyPhase(uint8_t phase, uint32_t tick) override {
    log.push_back("phase " + std::to_string(phase) + " " + std::to_string(tick));
  }
  void rebuildWorldView() override { log.push_back("rebuild"); }
  void containerRefreshed() override { log.push_back("lab"); }
  void floatingText(int16_t id, const std::string& text) override { log.push_back("float " + std::to_string(id) + " " + text); }
  std::vector<std::string> log;
};

class ClockLog final : public GameClock {
 public:
  bool sleeping() const override { return asleep; }
  void stopClockTask() override { ++stops; }
  void scheduleClockTask() override { ++schedules; }
  bool asleep = false;
  int stops = 0;
  int schedules = 0;
};

using Log = std::vector<std::string>;

class WorldEventsTest : public GameTest {
 protected:
  WorldEventLog events;
  ClockLog clock;
  PlayerEvents& playerSink() override { return events; }
  GameClock* playerClock() override { return &clock; }
};

TEST_F(WorldEventsTest, WeatherChangesAreToldByWhatTheyReplace) {
  const struct {
    WeatherKind from;
    uint8_t to;
    bool quiet;
    Log shown;
  } cases[] = {
      {WeatherKind::None, 1, false, {"text2 180", "rain on", "sky 1"}},
      {WeatherKind::None, 2, false, {"text2 179", "sky 2"}},
      {WeatherKind::Rain, 0, false, {"text2 183", "rain off", "sky 0"}},
      {WeatherKind::Snow, 1, true, {"rain on", "sky 1"}},
      {WeatherKind::Rain, 9, false, {}},  // no such kind: nothing changes
  };
  for (const auto& c : cases) {
    events.log.clear();
    world->weather().kind = c.from;
    player->setWeather(c.to, c.quiet);
    EXPECT_EQ(events.log, c.shown) << int(c.from) << "->" << int(c.to);
    EXPECT_EQ(static_cast<uint8_t>(world->weather().kind), c.to > 3 ? static_cast<uint8_t>(c.from) : c.to);
  }
}

TEST_F(WorldEventsTest, SettingTheClockRestartsItsTaskOnlyWhileItRunsAndNobodySleeps) {
  const struct {
    uint32_t running;
    bool asleep;
    int schedules;
  } cases[] = {{1, false, 1}, {0, false, 0}, {1, true, 0}};
  for (const auto& c : cases) {
    clock = {};
    clock.asleep = c.asleep;
    events.log.clear();
    world->dayClock().running = c.running;
    player->setDayClock(2, 512 + 300);
    EXPECT_EQ(clock.schedules, c.schedules);
    EXPECT_EQ(world->dayClock().phase, DayPhase::Dusk);
    EXPECT_EQ(events.log, (Log{"phase 2 300", "rebuild"}));
  }
}

TEST_F(WorldEventsTest, AFirstBrewIsLearnedOnceAndClearsTheBrewingFlag) {
  AlchemyLab& lab = world->alchemyLabs().add(std::make_unique<AlchemyLab>(at(3, 3)));
  uint8_t slot = 0;
  for (uint16_t id : {431, 431, 175, 1934}) lab.setItem(slot++, makeItem(id, 2));
  player->setOpenContainer(&lab);
  for (uint16_t brew = 1; brew <= 2; ++brew) {
    lab.setBrewing(true);
    EXPECT_TRUE(brewPotionAt(lab, player.get()));
    EXPECT_FALSE(lab.brewing());
    ASSERT_NE(lab.itemAt(AlchemyLab::kOutputSlot), nullptr);
    EXPECT_EQ(lab.itemAt(AlchemyLab::kOutputSlot)->count, brew);
  }
  EXPECT_EQ(lab.itemAt(AlchemyLab::kOutputSlot)->id, 2702);
  EXPECT_EQ(lab.itemAt(0), nullptr);  // two units, two brews
  EXPECT_EQ(events.log, (Log{"lab", "float 117 Potion of Dwarves", "lab"}));
  EXPECT_TRUE(player->knowledge->isRecipeKnown(2133 >> 6));
  player->setOpenContainer(nullptr);
}

}  // namespace
}  // namespace game_test
