// Starting a game: a new world generated on the worker thread while the main thread runs its
// frames, with every text and the finished world arriving on the main thread; a world file read
// by the session's own start task; failed loads back at the start view.

#include <thread>

#include "content/planets/planet_def.h"
#include "game/inventory/inventory.h"
#include "game/session/game_timers.h"
#include "platform/settings/settings.h"
#include "game/stats/stats_store.h"
#include "tests/game/session/session_fixture.h"
#include "tests/world/fixed_world_options.h"
#include "world/map/world_map.h"

namespace game_test {
namespace {

class WorldLoadingTest : public GeneratingSessionTest {
 protected:
  void SetUp() override {
    GeneratingSessionTest::SetUp();
    generateOfSize(1);  // 768 x 256: long enough for the main thread to run meanwhile
  }
};

TEST_F(WorldLoadingTest, ANewWorldIsGeneratedOnTheWorkerAndEnteredOnTheMainThread) {
  saves.params.mode = 3;
  FixedWorldOptions options;
  options.keepLastSlot = true;
  game.setWorldContext({.options = &options});
  const std::thread::id mainThread = std::this_thread::get_id();
  std::thread::id completedOn;
  game.begin(3, [&] {
    finished = true;
    completedOn = std::this_thread::get_id();
  });
  EXPECT_EQ(screen.labels, (std::vector<int16_t>{100}));
  ASSERT_NE(running.player, nullptr);
  EXPECT_EQ(game.world(), nullptr) << "the world belongs to the worker until it is done";
  int frames = 0;
  ASSERT_TRUE(pumpUntil([&] { return finished; }, &frames));
  // Its grid of cells was made, and its save made ready, on the worker, once it was generated.
  EXPECT_EQ(saves.preparedSizes, (std::vector<std::pair<int32_t, int32_t>>{{768, 256}}));
  EXPECT_EQ(saves.preparedCells, (std::vector<size_t>{768 * 256}));
  ASSERT_EQ(saves.preparedOn.size(), 1u);
  EXPECT_NE(saves.preparedOn[0], mainThread);
  EXPECT_GT(frames, 1) << "the main thread ran frames while the worker generated";
  EXPECT_EQ(completedOn, mainThread);
  ASSERT_FALSE(screen.texts.empty());
  for (std::thread::id id : screen.textThreads) EXPECT_EQ(id, mainThread);
  EXPECT_EQ(screen.texts.back(), "Precomputing shadows..");

  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(game.world(), running.world.get());
  EXPECT_EQ(rules.world(), running.world.get());
  EXPECT_FALSE(running.world->isBusy());
  // The surface line came with the world, found on the worker as it would be on entering.
  const std::vector<uint16_t> handedOver = running.world->map().topHeights();
  EXPECT_GT(handedOver[0], 0);
  running.world->map().computeSurfaceHeights();
  EXPECT_EQ(running.world->map().topHeights(), handedOver);
  EXPECT_EQ(running.player->cellX, running.player->spawnCellX) << "placed at the spawn cell";
  EXPECT_EQ(running.player->cellY, running.player->spawnCellY);
  EXPECT_TRUE(saves.savedWorlds.empty()) << "not in the frame that enters it";
  EXPECT_TRUE(sessionTask(session_timer::kFirstSave));
  // A task of no delay runs in the second frame after it is scheduled: the first starts its clock.
  scheduler().update(1.0f / 60.0f);
  scheduler().update(1.0f / 60.0f);
  EXPECT_EQ(saves.savedWorlds, (std::vector<World*>{running.world.get()})) << "saved in a frame of its own";
  EXPECT_FALSE(sessionTask(session_timer::kFirstSave));
  EXPECT_TRUE(statsStore().isUnlocked(92)) << "an adventure on the home planet";
  EXPECT_EQ(screen.mainViews, 1);
  // Entered with every quick slot in use and the last kept empty, as the options say.
  EXPECT_EQ(running.player->inventory->quickSlotsInUse(), uint32_t(Inventory::kQuickSlots));
  EXPECT_TRUE(running.player->inventory->keepsLastSlotEmpty());
  EXPECT_TRUE(worldTask(world_timer::kPlayerUpdate));
  advance(9.5f, 0.5f);
  EXPECT_FALSE(game.hasSettled());
  advance(1.0f, 0.5f);
  EXPECT_TRUE(game.hasSettled()) << "ten seconds after entering";
}

TEST_F(WorldLoadingTest, AMadeWorldIsEnteredWhenTheScreenIsReadyToDrawIt) {
  screen.holdEntry = true;
  game.begin(2, [&] { finished = true; });
  ASSERT_TRUE(pumpUntil([&] { return !screen.heldEntries.empty(); }));
  advance(1.0f);
  EXPECT_FALSE(finished) << "the loading screen stays while the screen prepares";
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(screen.mainViews, 0);
  EXPECT_TRUE(saves.savedWorlds.empty());

  screen.heldEntries.front()();
  EXPECT_TRUE(finished);
  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(screen.mainViews, 1);
  advance(0.1f);
  EXPECT_EQ(saves.savedWorlds, (std::vector<World*>{running.world.get()}));
}

TEST_F(WorldLoadingTest, AGameEndedWhileTheScreenPreparesDropsTheMadeWorld) {
  screen.holdEntry = true;
  game.begin(2, [&] { finished = true; });
  ASSERT_TRUE(pumpUntil([&] { return !screen.heldEntries.empty(); }));
  game.quit();
  screen.heldEntries.front()();
  EXPECT_FALSE(finished);
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(screen.mainViews, 0);
  screen.heldEntries.clear();  // the made world goes with the entry
  advance(0.1f);
  EXPECT_TRUE(saves.savedWorlds.empty());
}

TEST_F(WorldLoadingTest, AGameEndedDuringGenerationDropsTheLateWorld) {
  const uint32_t references = scheduler().getReferenceCount();
  game.begin(2, [&] { finished = true; });
  game.quit();
  // The generation holds the scheduler until its worker is joined, which quitting does.
  ASSERT_TRUE(pumpUntil([&] { return scheduler().getReferenceCount() == references; }));
  EXPECT_FALSE(finished);
  EXPECT_EQ(running.world, nullptr);
  EXPECT_TRUE(saves.savedWorlds.empty());
}

TEST_F(WorldLoadingTest, AWorldFileIsAskedForByTheSessionsStartTask) {
  game.begin(0, [&] { finished = true; });
  EXPECT_EQ(screen.labels, (std::vector<int16_t>{99}));
  EXPECT_TRUE(sessionTask(session_timer::kStartLoading));
  advance(0.04f, 0.01f);
  EXPECT_EQ(saves.loads, 0) << "read 0.05 s after the start";
  advance(0.04f, 0.01f);
  EXPECT_EQ(saves.loads, 1);
  ASSERT_TRUE(finished);
  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(running.player->cellX, 12u) << "where the file left the player";
  EXPECT_EQ(running.player->spawnCellY, 4u);
  EXPECT_TRUE(saves.savedWorlds.empty()) << "a loaded world is not written back at once";
}

// What the saves kept of a world for its next save is as large as the world: the game tells them
// once its world is gone, so the next world is not played with it.
TEST_F(WorldLoadingTest, QuittingTellsTheSavesTheWorldEndedOnceItIsGone) {
  saves.running = &running;
  game.begin(0, [&] { finished = true; });
  advance(0.1f, 0.01f);
  ASSERT_TRUE(finished);
  EXPECT_TRUE(saves.endedWithWorld.empty()) << "nothing ends while the world is played";
  game.quit();
  EXPECT_EQ(saves.endedWithWorld, std::vector<bool>{false});
}

TEST_F(WorldLoadingTest, AReadWorldIsEnteredWhenTheScreenIsReadyToDrawIt) {
  screen.holdEntry = true;
  game.begin(0, [&] { finished = true; });
  advance(0.1f, 0.01f);
  EXPECT_EQ(saves.loads, 1);
  ASSERT_EQ(screen.heldEntries.size(), 1u);
  EXPECT_FALSE(finished);
  EXPECT_EQ(screen.mainViews, 0);
  EXPECT_FALSE(worldTask(world_timer::kPlayerUpdate)) << "nothing plays it before it is entered";
  screen.heldEntries.front()();
  EXPECT_TRUE(finished);
  EXPECT_EQ(screen.mainViews, 1);
  EXPECT_TRUE(worldTask(world_timer::kPlayerUpdate));
}

// Two sessions in one process each read their file on their own timer: a session that goes takes
// its own start task with it and leaves the other's.
TEST_F(WorldLoadingTest, EachSessionsStartTaskIsItsOwn) {
  RunningWorld otherRunning;
  {
    GameLocal other{&rules, servicesWith(otherRunning)};
    other.begin(0, {});
    game.begin(0, {});
    EXPECT_TRUE(other.timers().isScheduled(session_timer::kStartLoading));
    EXPECT_TRUE(sessionTask(session_timer::kStartLoading));
  }
  EXPECT_TRUE(sessionTask(session_timer::kStartLoading)) << "the other session's end leaves this one's";
  advance(0.1f, 0.01f);
  EXPECT_EQ(saves.loads, 1) << "only the session still there read its file";
  EXPECT_NE(running.world, nullptr);
  EXPECT_EQ(otherRunning.world, nullptr);
}

// Two games in one process, each made with its own screen and saves: each shows its loading on its
// own screen, reads its own world file and writes its own statistics.
TEST_F(WorldLoadingTest, EachGameShowsOnItsOwnScreenAndReadsAndWritesThroughItsOwnSaves) {
  RunningWorld otherRunning;
  RecordingSaves otherSaves;
  RecordingScreen otherScreen;
  GameLocal other{&rules, {.screen = &otherScreen, .saves = &otherSaves, .running = &otherRunning}};
  other.begin(0, {});
  EXPECT_EQ(otherScreen.labels, (std::vector<int16_t>{99}));
  EXPECT_TRUE(screen.labels.empty()) << "this fixture's game showed nothing";
  advance(0.1f, 0.01f);
  EXPECT_EQ(otherSaves.loads, 1);
  EXPECT_EQ(saves.loads, 0);
  ASSERT_NE(otherRunning.world, nullptr);
  EXPECT_EQ(otherScreen.mainViews, 1);
  EXPECT_EQ(screen.mainViews, 0);
  other.quit();
  EXPECT_EQ(otherSaves.statisticsSaves, 1);
  EXPECT_EQ(saves.statisticsSaves, 0);
  EXPECT_EQ(otherRunning.world, nullptr);
}

// The saves read the file off the main thread: until they answer the loading screen stays and no
// world is the game's.
TEST_F(WorldLoadingTest, AReadWorldIsTheGamesOnlyOnceTheSavesAnswer) {
  saves.holdLoads = true;
  game.begin(0, [&] { finished = true; });
  advance(0.2f, 0.01f);
  ASSERT_EQ(saves.heldLoads.size(), 1u);
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(screen.mainViews, 0);
  EXPECT_FALSE(finished);
  saves.answerHeldLoads();
  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(running.player->cellX, 12u) << "where the file left the player";
  EXPECT_TRUE(finished);
  EXPECT_EQ(screen.mainViews, 1);
}

TEST_F(WorldLoadingTest, AGameEndedWhileItsFileIsReadDropsTheLateWorld) {
  saves.holdLoads = true;
  for (const int result : {LoadedWorld::kLoaded, LoadedWorld::kUnreadable}) {
    saves.loadResult = result;
    game.begin(0, [&] { finished = true; });
    advance(0.2f, 0.01f);
    ASSERT_EQ(saves.heldLoads.size(), 1u);
    game.quit();
    saves.answerHeldLoads();
    EXPECT_EQ(running.world, nullptr) << result;
    EXPECT_EQ(screen.mainViews, 0) << result;
    EXPECT_TRUE(screen.startDialogs.empty()) << "a late failure names nothing: " << result;
    EXPECT_FALSE(finished);
  }
}

TEST_F(WorldLoadingTest, AFailedLoadLeavesNoWorldAndOpensTheStartViewsDialog) {
  struct Case {
    int result;
    int dialog;
  };
  // A missing planet and a world that cannot be read each open their own dialog.
  for (const Case c : {Case{1, 19}, Case{3, 21}}) {
    screen.startDialogs.clear();
    saves.loadResult = c.result;
    game.begin(1, [&] { finished = true; });
    advance(0.1f);
    EXPECT_EQ(screen.startDialogs, (std::vector<int>{c.dialog})) << c.result;
    EXPECT_EQ(running.world, nullptr);
    EXPECT_FALSE(finished);
  }
}

}  // namespace
}  // namespace game_test
