// The timed tasks of a game played alone, stepped by the engine's scheduler: which tasks the
// start puts in their slots, the clock step's interval by phase, sleeping, the autosave and the
// save's result, and travel refused when the world could not be saved.

#include "game/session/game_slots.h"
#include "platform/settings/settings.h"
#include "tests/game/session/session_fixture.h"
#include "world/map/world_map.h"

namespace game_test {
namespace {

using Message = RecordingEvents::Message;

TEST_F(SessionTest, StartingPutsEachTaskInItsSlotAndStoppingEmptiesThem) {
  struct Case {
    bool autosave;
    uint32_t clockRunning;
  };
  for (const Case c : {Case{true, 1}, Case{false, 1}, Case{true, 0}, Case{false, 0}}) {
    kel::options().shouldAutosave = c.autosave;
    theWorld().dayClock().running = c.clockRunning;
    game.startTimers();
    EXPECT_TRUE(slotTaken(game_slot::kRules));
    EXPECT_TRUE(slotTaken(game_slot::kPlayerUpdate));
    EXPECT_EQ(slotTaken(game_slot::kClock), c.clockRunning != 0) << "clock " << c.clockRunning;
    EXPECT_EQ(slotTaken(game_slot::kAutosave), c.autosave) << "autosave " << c.autosave;
    EXPECT_FALSE(rules.timers().records().empty());
    game.stopTimers();
    for (int slot : {0, 1, 3, 4, 5, 24}) EXPECT_FALSE(slotTaken(slot)) << "slot " << slot;
    EXPECT_TRUE(rules.timers().records().empty());
  }
}

TEST_F(SessionTest, ThePlayerUpdateCountsPlayTimeEveryHalfSecond) {
  theWorld().dayClock().running = 0;
  game.startTimers();
  auto playTime = [&] {
    int total = 0;
    for (const auto& stat : events.stats) total += stat.id == 60 ? stat.value : 0;
    return total;
  };
  advance(1.0f, 0.25f);
  const int before = playTime();
  advance(2.0f, 0.25f);
  EXPECT_EQ(playTime() - before, 4);
}

TEST_F(SessionTest, TheClockStepTakesThePhasesIntervalAfterEachPhaseChange) {
  struct Case {
    DayPhase from;
    float interval;  // of the phase that follows
  };
  for (const Case c : {Case{DayPhase::Day, 0.15f}, Case{DayPhase::Dusk, 0.65f}, Case{DayPhase::Night, 0.15f},
                       Case{DayPhase::Dawn, 0.65f}}) {
    DayClock& clock = theWorld().dayClock();
    clock.phase = c.from;
    clock.tickCounter = DayClock::kTicksPerPhase - 1;
    game.tick();  // the phase changes: the task takes the new phase's interval
    const uint32_t after = clock.tickCounter;
    advance(c.interval * 3.5f, 0.01f);
    EXPECT_EQ(clock.tickCounter - after, 3u) << "from phase " << static_cast<int>(c.from);
    game.stopTimers();
  }
}

TEST_F(SessionTest, GoingToBedMovesTheClockNearTheEndOfItsPhase) {
  struct Case {
    uint32_t time;
    uint32_t expected;
  };
  for (const Case c : {Case{1000, 984}, Case{512, 984}, Case{511, 472}, Case{0, 472}}) {
    game.sleeping = false;
    theWorld().dayClock().tickCounter = c.time;
    game.sleep();
    EXPECT_EQ(theWorld().dayClock().tickCounter, c.expected) << c.time;
    EXPECT_TRUE(game.sleeping);
  }
  EXPECT_EQ(screen.fades, 4);
}

TEST_F(SessionTest, TheSleeperRunsOnlyTheClockEveryFrameAndWakesAtDawnsMiddle) {
  game.startTimers();
  DayClock& clock = theWorld().dayClock();
  clock.phase = DayPhase::Dawn;
  clock.tickCounter = 200;
  game.sleep();
  game.sleep();  // already in bed: the clock stays where the first one put it
  EXPECT_EQ(clock.tickCounter, 472u);
  EXPECT_FALSE(slotTaken(game_slot::kPlayerUpdate));
  EXPECT_FALSE(slotTaken(game_slot::kRules));
  for (int frame = 0; frame < 5; ++frame) scheduler().update(0.01f);
  const uint32_t before = clock.tickCounter;
  for (int frame = 0; frame < 30; ++frame) scheduler().update(0.01f);
  EXPECT_EQ(clock.tickCounter - before, 30u) << "one tick per frame";
  // The night passes at a tick a frame; the sleeper wakes at tick 256 of dawn.
  clock.tickCounter = 2048 + 254;
  scheduler().update(0.01f);
  EXPECT_TRUE(game.sleeping);
  scheduler().update(0.01f);
  EXPECT_FALSE(game.sleeping);
  EXPECT_EQ(events.messages, (std::vector<Message>{{2, "You woke up!"}}));
  EXPECT_EQ(screen.fadesRemoved, 1);
  EXPECT_TRUE(slotTaken(game_slot::kPlayerUpdate)) << "the timed tasks run again";
  const uint32_t woke = clock.tickCounter;
  scheduler().update(0.01f);
  EXPECT_EQ(clock.tickCounter, woke) << "no longer every frame";
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
  for (const Case c : {Case{true, true, GameLocal::kAutosaved}, Case{false, true, GameLocal::kAutosaveFailed},
                       Case{true, false, GameLocal::kAutosaveFailed}}) {
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

TEST_F(SessionTest, SavingWithoutAWorldEntryIsSkippedAndSucceeds) {
  saves.entry = false;
  saves.characterSaved = false;
  EXPECT_TRUE(game.save());
  EXPECT_EQ(saves.characterSaves, 0);
  EXPECT_TRUE(saves.savedWorlds.empty());
}

TEST_F(SessionTest, TravelIsRefusedWhileTheWorldCannotBeSaved) {
  World* before = &theWorld();
  local().unlockedPlanets = 1;
  game.started = true;
  game.startTimers();
  saves.worldSaved = false;
  game.travelToWorld(TravelTarget{0x10004, 5, 6});
  EXPECT_EQ(running.world.get(), before) << "the world is kept";
  EXPECT_EQ(game.world, before);
  EXPECT_TRUE(game.started);
  EXPECT_EQ(local().unlockedPlanets, 1) << "the planet was never reached";
  EXPECT_EQ(events.messages, (std::vector<Message>{{3, GameLocal::kTravelNotSaved}}));
  EXPECT_TRUE(slotTaken(game_slot::kPlayerUpdate)) << "play goes on";
  EXPECT_FALSE(game.pendingTravel().has_value());
  EXPECT_TRUE(saves.worldIndexes.empty());
}

TEST_F(SessionTest, TravelSavesEndsTheWorldAndArrivesAtTheTargetCellOfTheLoadedPlanet) {
  saves.params.mode = 3;
  local().unlockedPlanets = 1;
  game.startTimers();
  game.travelToWorld(TravelTarget{0x10004, 5, 6});
  EXPECT_EQ(saves.worldIndexes, (std::vector<uint32_t>{0x10004}));
  EXPECT_EQ(saves.savedWorlds.size(), 1u);
  EXPECT_EQ(screen.labels, (std::vector<int16_t>{99})) << "the file exists: mode 1";
  ASSERT_NE(running.player, nullptr) << "the character is loaded again";
  EXPECT_EQ(running.world, nullptr) << "the old world ended";
  advance(0.1f);
  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(running.player->cellX, 5u);
  EXPECT_EQ(running.player->cellY, 6u);
  EXPECT_FALSE(game.pendingTravel().has_value());
}

}  // namespace
}  // namespace game_test
