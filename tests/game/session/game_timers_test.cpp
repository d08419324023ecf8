// The timed tasks of a game played alone, stepped by the engine's scheduler: which tasks the
// start puts on the world's timers, the clock step's interval by phase, sleeping, the autosave and the
// save's result, travel refused when the world could not be saved, and travel through a portal.

#include "game/player/player_options.h"
#include "game/session/game_timers.h"
#include "platform/settings/settings.h"
#include "tests/game/session/session_fixture.h"
#include "world/map/world_map.h"
#include "world/portals/portal_list.h"

namespace game_test {
namespace {

using Message = RecordingEvents::Message;

TEST_F(SessionTest, StartingPutsEachTaskOnTheWorldsTimersAndStoppingRemovesThem) {
  struct Case {
    bool autosave;
    uint32_t clockRunning;
  };
  for (const Case c : {Case{true, 1}, Case{false, 0}}) {
    kel::options().shouldAutosave = c.autosave;
    theWorld().dayClock().running = c.clockRunning;
    game.startTimers();
    EXPECT_TRUE(worldTask(world_timer::kRules));
    EXPECT_TRUE(worldTask(world_timer::kPlayerUpdate));
    EXPECT_EQ(worldTask(world_timer::kClock), c.clockRunning != 0) << "clock " << c.clockRunning;
    EXPECT_EQ(worldTask(world_timer::kAutosave), c.autosave) << "autosave " << c.autosave;
    EXPECT_FALSE(rules.timers().records().empty());
    game.stopTimers();
    namespace wt = world_timer;
    for (int key : {wt::kRules, wt::kClock, wt::kLiquidStep, wt::kCircuitStep, wt::kPlayerUpdate, wt::kEntities,
                    wt::kAutosave}) {
      EXPECT_FALSE(worldTask(key)) << "task " << key;
    }
    EXPECT_TRUE(rules.timers().records().empty());
  }
}

TEST_F(SessionTest, TheSleeperRunsOnlyTheClockEveryFrameAndWakesAtDawnsMiddle) {
  game.startTimers();
  DayClock& clock = theWorld().dayClock();
  clock.phase = DayPhase::Dawn;
  clock.tickCounter = 200;
  game.sleep();
  game.sleep();  // already in bed: the clock stays where the first one put it
  EXPECT_EQ(clock.tickCounter, 472u);
  EXPECT_FALSE(worldTask(world_timer::kPlayerUpdate));
  EXPECT_FALSE(worldTask(world_timer::kRules));
  for (int frame = 0; frame < 5; ++frame) scheduler().update(0.01f);
  const uint32_t before = clock.tickCounter;
  for (int frame = 0; frame < 30; ++frame) scheduler().update(0.01f);
  EXPECT_EQ(clock.tickCounter - before, 30u) << "one tick per frame";
  // The night passes at a tick a frame; the sleeper wakes at tick 256 of dawn.
  clock.tickCounter = 2048 + 254;
  scheduler().update(0.01f);
  EXPECT_TRUE(game.isSleeping());
  scheduler().update(0.01f);
  EXPECT_FALSE(game.isSleeping());
  EXPECT_EQ(events.messages, (std::vector<Message>{{2, "You woke up!"}}));
  EXPECT_EQ(screen.fadesRemoved, 1);
  EXPECT_TRUE(worldTask(world_timer::kPlayerUpdate)) << "the timed tasks run again";
  const uint32_t woke = clock.tickCounter;
  scheduler().update(0.01f);
  EXPECT_EQ(clock.tickCounter, woke) << "no longer every frame";
}

// Going to bed from inside one of the world's own tasks stops every task of the world, the running
// one included, and starts the sleeper's clock on the same timers: the clock runs.
TEST_F(SessionTest, GoingToBedFromAWorldTaskStillRunsTheSleepersClock) {
  game.startTimers();
  DayClock& clock = theWorld().dayClock();
  clock.phase = DayPhase::Dawn;
  clock.tickCounter = 200;
  theWorld().timers().scheduleOnce(world_timer::kSettle, 0.0f, [this](float) { game.sleep(); });
  for (int frame = 0; frame < 3; ++frame) scheduler().update(0.01f);
  ASSERT_TRUE(game.isSleeping());
  EXPECT_TRUE(worldTask(world_timer::kClock));
  EXPECT_FALSE(worldTask(world_timer::kPlayerUpdate));
  const uint32_t before = clock.tickCounter;
  for (int frame = 0; frame < 10; ++frame) scheduler().update(0.01f);
  EXPECT_GE(clock.tickCounter - before, 9u) << "a tick a frame";
}

// A character made with "Extended Day" sees the clock step half as often by day.
TEST_F(SessionTest, ExtendedDayStretchesTheDaytimeClockStep) {
  for (const bool extended : {false, true}) {
    local().setCharacterFlags(extended ? playerOptionBit(player_option::kExtendedDay) : 0);
    DayClock& clock = theWorld().dayClock();
    clock.phase = DayPhase::Day;
    clock.tickCounter = 0;
    clock.running = 1;
    kel::options().shouldAutosave = false;
    game.startTimers();
    advance(5.5f);
    EXPECT_EQ(clock.tickCounter, extended ? 4u : 8u) << "extended " << extended;
    game.stopTimers();
  }
}

// The autosave's own lines among what the player was events.
std::vector<Message> autosaveLines(const std::vector<Message>& all) {
  std::vector<Message> lines;
  for (const Message& m : all) {
    if (m.text == GameLocal::kAutosaved || m.text == GameLocal::kAutosaveFailed) lines.push_back(m);
  }
  return lines;
}

TEST_F(SessionTest, TheFirstAutosaveComesAfterFiveMinutesAndSaysWhetherItSaved) {
  struct Case {
    bool characterSaved;
    bool worldSaved;
    const char* said;
  };
  for (const Case c :
       {Case{true, true, GameLocal::kAutosaved}, Case{true, false, GameLocal::kAutosaveFailed}}) {
    events.messages.clear();
    saves.characterSaved = c.characterSaved;
    saves.worldSaved = c.worldSaved;
    theWorld().dayClock().running = 0;
    game.startTimers();
    advance(299.5f, 0.5f);
    EXPECT_TRUE(autosaveLines(events.messages).empty());
    advance(1.0f, 0.5f);
    EXPECT_EQ(autosaveLines(events.messages), (std::vector<Message>{{2, c.said}}));
    game.stopTimers();
  }
}

TEST_F(SessionTest, TravelIsRefusedWhileTheWorldCannotBeSaved) {
  World* before = &theWorld();
  local().unlockedPlanets = 1;
  game.setStarted(true);
  game.startTimers();
  saves.worldSaved = false;
  game.travelToWorld(TravelTarget{0x10004, 5, 6});
  EXPECT_EQ(running.world.get(), before) << "the world is kept";
  EXPECT_EQ(local().unlockedPlanets, 1) << "the planet was never reached";
  EXPECT_EQ(events.messages, (std::vector<Message>{{3, GameLocal::kTravelNotSaved}}));
  EXPECT_TRUE(worldTask(world_timer::kPlayerUpdate)) << "play goes on";
  EXPECT_TRUE(saves.worldIndexes.empty());
}

TEST_F(SessionTest, TravelSavesEndsTheWorldAndArrivesAtTheTargetCellOfTheLoadedPlanet) {
  saves.params.mode = 3;
  local().unlockedPlanets = 1;
  game.startTimers();
  game.travelToWorld(TravelTarget{0x10004, 5, 6});
  EXPECT_EQ(saves.worldIndexes, (std::vector<uint32_t>{0x10004}));
  EXPECT_EQ(saves.savedWorlds.size(), 1u);
  ASSERT_NE(running.player, nullptr) << "the character is loaded again";
  EXPECT_EQ(running.world, nullptr) << "the old world ended";
  advance(0.1f);
  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(running.player->cellX, 5u);
  EXPECT_EQ(running.player->cellY, 6u);
  EXPECT_FALSE(game.pendingTravel().has_value());
}

// The world's file is written while the game plays on: the autosave says so once the write ended,
// and says nothing when the game ended meanwhile.
TEST_F(SessionTest, TheAutosaveSpeaksWhenItsWriteEnds) {
  saves.holdWrites = true;
  theWorld().dayClock().running = 0;
  game.startTimers();
  advance(300.5f, 0.5f);
  EXPECT_TRUE(autosaveLines(events.messages).empty()) << "the file is still being written";
  ASSERT_EQ(saves.heldWrites.size(), 1u);
  saves.endHeldWrites(true);
  EXPECT_EQ(autosaveLines(events.messages), (std::vector<Message>{{2, GameLocal::kAutosaved}}));

  events.messages.clear();
  advance(300.0f, 0.5f);
  ASSERT_EQ(saves.heldWrites.size(), 1u);
  game.stopTimers();
  game.quit();
  saves.endHeldWrites(false);
  EXPECT_TRUE(autosaveLines(events.messages).empty()) << "the game that asked is gone";
}

// Travel leaves the world only once its file is written, behind the loading screen so that nothing
// is done to the world meanwhile; a write that fails brings the world back and keeps it.
TEST_F(SessionTest, TravelWaitsForTheWorldsWrite) {
  World* before = &theWorld();
  local().unlockedPlanets = 1;
  game.setStarted(true);
  game.startTimers();
  saves.holdWrites = true;
  screen.labels.clear();
  game.travelToWorld(TravelTarget{0x10004, 5, 6});
  EXPECT_EQ(running.world.get(), before) << "still being written";
  EXPECT_TRUE(saves.worldIndexes.empty());
  EXPECT_EQ(screen.labels.size(), 1u) << "the loading screen is up";
  const int mainViews = screen.mainViews;
  saves.endHeldWrites(false);
  EXPECT_EQ(running.world.get(), before);
  EXPECT_EQ(screen.mainViews, mainViews + 1) << "the world is shown again";
  EXPECT_EQ(local().unlockedPlanets, 1);
  EXPECT_TRUE(worldTask(world_timer::kPlayerUpdate)) << "play goes on";

  game.travelToWorld(TravelTarget{0x10004, 5, 6});
  saves.endHeldWrites(true);
  EXPECT_EQ(saves.worldIndexes, (std::vector<uint32_t>{0x10004}));
  EXPECT_EQ(running.world, nullptr) << "the old world ended";
}

constexpr uint32_t kHere = 0;  // the fixture world's planet
constexpr uint32_t kElsewhere = 16;

class PortalTravelTest : public SessionTest {
 protected:
  void addRecord(uint32_t planet, uint16_t x, uint16_t y, uint32_t target, uint32_t link) {
    theWorld().portalList().records().push_back({planet, target, x, y, link});
  }
  bool use(int32_t x, int32_t y) { return rules.usePortal(&local(), theWorld().cellAt(x, y)); }
};

TEST_F(PortalTravelTest, NoPortalOfThisPlanetOrOneBackToItIsRefused) {
  addRecord(kElsewhere, 6, 6, kHere, packPortalCell(20, 9));  // stands on another planet
  addRecord(kHere, 8, 6, kHere, packPortalCell(20, 9));
  addRecord(kHere, 8, 6, kElsewhere, packPortalCell(20, 9));  // only the first record counts
  for (const auto& [x, text] : {std::pair{6, 140}, std::pair{7, 140}, std::pair{8, 138}}) {
    events.texts.clear();
    EXPECT_FALSE(use(x, 6)) << x;
    EXPECT_EQ(events.texts, (RecordingEvents::Texts{{3, text}})) << x;
  }
  EXPECT_TRUE(saves.worldIndexes.empty());
  EXPECT_EQ(saves.characterSaves, 0) << "nothing is saved for a refusal";
}

TEST_F(PortalTravelTest, APortalElsewhereTakesThePlayerToItsPlanetsWorld) {
  game.setStarted(true);
  addRecord(kHere, 6, 6, kElsewhere, packPortalCell(20, 9));
  ASSERT_TRUE(use(6, 6));
  EXPECT_TRUE(events.texts.empty());
  EXPECT_EQ(saves.characterSaves, 1);
  EXPECT_EQ(saves.worldIndexes, (std::vector<uint32_t>{kElsewhere}));
  ASSERT_TRUE(game.pendingTravel().has_value());
  EXPECT_EQ(game.pendingTravel()->column, 20);
  EXPECT_EQ(game.pendingTravel()->row, 9);
  EXPECT_TRUE(sessionTask(session_timer::kStartLoading)) << "the target world's file is read next";
}

}  // namespace
}  // namespace game_test
