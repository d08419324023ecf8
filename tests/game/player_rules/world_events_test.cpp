// The local player's world events: weather texts and the rain ambience, pausing and setting the
// day clock with the game's clock task, going to bed, the chat sound, and a finished brew.

#include "content/potions/potion_table.h"
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
  void message(uint8_t kind, const std::string& text) override { log.push_back("msg" + std::to_string(kind) + " " + text); }
  void textById(uint8_t kind, int16_t id) override { log.push_back("text" + std::to_string(kind) + " " + std::to_string(id)); }
  void interfaceSound(uint16_t id) override { log.push_back("sound " + std::to_string(id)); }
  void rainAmbience(bool on) override { log.push_back(on ? "rain on" : "rain off"); }
  void skyWeather(uint8_t kind) override { log.push_back("sky " + std::to_string(kind)); }
  void skyPhase(uint8_t phase, uint32_t tick) override {
    log.push_back("phase " + std::to_string(phase) + " " + std::to_string(tick));
  }
  void rebuildWorldView() override { log.push_back("rebuild"); }
  void popToMainView() override { log.push_back("main view"); }
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
  int stops = 0, schedules = 0;
};

using Log = std::vector<std::string>;

class WorldEventsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    setPlayerEvents(&events);
    setGameClock(&clock);
  }
  void TearDown() override {
    setGameClock(nullptr);
    GameTest::TearDown();
  }
  WorldEventLog events;
  ClockLog clock;
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
      {WeatherKind::None, 3, false, {"text2 181", "rain on", "sky 3"}},
      {WeatherKind::None, 3, true, {"rain on", "sky 3"}},
      {WeatherKind::Rain, 0, false, {"text2 183", "rain off", "sky 0"}},
      {WeatherKind::AcidRain, 0, false, {"text2 183", "rain off", "sky 0"}},
      {WeatherKind::Snow, 0, false, {"text2 182", "sky 0"}},
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

TEST_F(WorldEventsTest, PausingTheClockStopsAndSchedulesItsTask) {
  player->setTickPaused(true);
  EXPECT_EQ(world->dayClock().running, 0u);
  EXPECT_EQ(clock.stops, 1);
  player->setTickPaused(false);
  EXPECT_EQ(world->dayClock().running, 1u);
  EXPECT_EQ(clock.schedules, 1);
  EXPECT_EQ(events.log, (Log{"text2 187", "text2 188"}));
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
    EXPECT_EQ(world->dayClock().darkness, 2u);
    EXPECT_EQ(events.log, (Log{"phase 2 300", "rebuild"}));
  }
  player->setDayClock(3, 0);  // no phase
  EXPECT_EQ(world->dayClock().phase, DayPhase::Dusk);
}

TEST_F(WorldEventsTest, OnlyChatLinesRingTheChatSoundWhenItIsOn) {
  player->showMessage(0, "hi");
  player->showMessage(2, "notice");
  player->showTextById(0, 5);
  kel::options().chatSound = false;
  player->showMessage(0, "quiet");
  EXPECT_EQ(events.log, (Log{"sound 61", "msg0 hi", "msg2 notice", "sound 61", "text0 5", "msg0 quiet"}));
}

TEST_F(WorldEventsTest, GoingToBedSaysGoodNightAndLeavesTheViews) {
  player->sleep();
  EXPECT_EQ(events.log, (Log{"text2 176", "main view"}));
}

class BrewingTest : public WorldEventsTest {
 protected:
  void SetUp() override {
    WorldEventsTest::SetUp();
    lab = std::make_unique<AlchemyLab>(at(3, 3));
    fill({431, 431, 175, 1934});
  }
  void TearDown() override {
    lab.reset();
    WorldEventsTest::TearDown();
  }
  void fill(std::initializer_list<uint16_t> ids) {
    uint8_t slot = 0;
    for (uint16_t id : ids) lab->setItem(slot++, makeItem(id, 2));
  }
  uint16_t outputCount() const { return lab->itemAt(AlchemyLab::kOutputSlot) ? lab->itemAt(AlchemyLab::kOutputSlot)->count : 0; }
  std::unique_ptr<AlchemyLab> lab;
};

TEST_F(BrewingTest, AFirstBrewIsLearnedOnceAndClearsTheBrewingFlag) {
  player->openContainer = lab.get();
  for (int brew = 1; brew <= 2; ++brew) {
    lab->setBrewing(true);
    EXPECT_TRUE(brewPotionAt(*lab, player.get()));
    EXPECT_FALSE(lab->brewing());
    EXPECT_EQ(outputCount(), brew);
  }
  EXPECT_EQ(lab->itemAt(AlchemyLab::kOutputSlot)->id, 2702);
  EXPECT_EQ(lab->itemAt(0), nullptr);  // two units, two brews
  EXPECT_EQ(events.log, (Log{"lab", "float 117 Potion of Dwarves", "lab"}));
  EXPECT_TRUE(player->knowledge->isRecipeKnown(2133 >> 6));
}

TEST_F(BrewingTest, AFailedBrewIsNotLearnedAndAStoppedBrewMakesNothing) {
  player->openContainer = lab.get();
  EXPECT_FALSE(brewPotionAt(*lab, player.get()));  // never started
  EXPECT_EQ(outputCount(), 0);
  freeItem(lab->itemAt(0));
  lab->setItem(0, makeItem(495, 1));  // no alchemy value: the failed brew
  lab->setBrewing(true);
  EXPECT_TRUE(brewPotionAt(*lab, player.get()));
  EXPECT_EQ(lab->itemAt(AlchemyLab::kOutputSlot)->id, FAILED_BREW_ITEM);
  EXPECT_EQ(events.log, (Log{"lab"}));
}

TEST_F(BrewingTest, WithoutTheLocalPlayerAtTheLabTheLabBrewsByItself) {
  lab->setBrewing(true);
  EXPECT_TRUE(brewPotionAt(*lab, nullptr));
  EXPECT_EQ(outputCount(), 1);
  lab->setBrewing(true);
  EXPECT_TRUE(brewPotionAt(*lab, player.get()));  // the player has it not open: nothing lands
  EXPECT_EQ(outputCount(), 1);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(BrewingTest, TheGamesBrewOfTheOpenLabRunsTheRulesBrew) {
  player->openContainer = lab.get();
  EXPECT_TRUE(game.brewPotion());
  EXPECT_EQ(outputCount(), 1) << "the started brew reaches the lab";
  EXPECT_FALSE(lab->brewing());
  EXPECT_EQ(lab->itemAt(0)->count, 1);
  EXPECT_TRUE(player->knowledge->isRecipeKnown(2133 >> 6));
  EXPECT_TRUE(game.brewPotion());
  EXPECT_EQ(outputCount(), 2);
}

TEST_F(BrewingTest, TheGameRefusesABrewWithoutALabOrIntoAnotherOutput) {
  EXPECT_FALSE(game.brewPotion()) << "no lab open";
  player->openContainer = lab.get();
  lab->setItem(AlchemyLab::kOutputSlot, makeItem(495, 1));
  EXPECT_FALSE(game.brewPotion());
  EXPECT_FALSE(lab->brewing());
  EXPECT_EQ(lab->itemAt(0)->count, 2) << "nothing used";
}

}  // namespace
}  // namespace game_test
