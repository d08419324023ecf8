// Worlds saved and loaded through the local store: a world file that fails to load is never
// written over, so its backup stays the good one; the save worker writes the world as it was when
// saved, one save after the other, and a kill at any moment leaves whole files; an adventure keeps
// its links and planet files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop_file_system.h"
#include "platform/settings/settings.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "platform/settings/json_defaults.h"
#include "saves/launch/local_game_saves.h"
#include "saves/launch/local_saves.h"
#include "tests/saves/launch/local_saves_probe.h"
#include "tests/platform/settings/settings_test_host.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/blocks/sign.h"
#include "world/map/changed_chunks.h"
#include "world/map/kept_cells.h"
#include "tests/support/settings_reset.h"

namespace saves_test {
namespace {

namespace fs = std::filesystem;

class WorldSavesTest : public WorldFileTest {
 protected:
  void SetUp() override {
    WorldFileTest::SetUp();
    testsupport::resetSettings();
  }
  void TearDown() override {
    testsupport::resetSettings();
    WorldFileTest::TearDown();
  }

  engine::Seam<WorldSaveLinks, NullWorldSaveLinks>::Scoped useLinks{worldSaveLinksSeam(), links};

  fs::path worldsFolder() const { return home_.path() / "Rubblemoor" / "worlds"; }
  std::string bytesOf(const std::string& name) const { return testsupport::readFile(worldsFolder() / name); }

  std::unique_ptr<World> newWorld(uint8_t mode, const std::string& text) {
    saves_.worlds().list();
    saves_.worlds().createEntry(params(mode), 1000);
    auto world = makeWorld(mode);
    world->signs().add(std::make_unique<Sign>(world->map().cell(3, 40))).setText(text.c_str());
    return world;
  }

  WorldLoad relist() {
    saves_.worlds().list();
    return saves_.loadWorldFile(nullptr);
  }

  // Saved through the save worker; true once the file is written.
  bool saveWorld(World& world) {
    bool written = false;
    saves_.saveWorld(world, [&written](bool saved) { written = saved; });
    saves_.waitForWrites();
    return written;
  }

  static std::string signOf(World& world) { return std::string((*world.signs().begin())->text()); }

  testsupport::ScopedDataHome home_;
  kel::DesktopFileSystem files_;
  LocalSaves saves_{files_};
};

TEST_F(WorldSavesTest, AFailedLoadNeverPushesTheGoodBackupOut) {
  kel::options().keepBackupOfSaves = true;
  auto world = newWorld(0, "old");
  saves_.setPlayerCellsSource([] { return PlayerCells{9, 8, 7, 6}; });
  ASSERT_TRUE(saveWorld(*world));
  (*world->signs().begin())->setText("new");
  ASSERT_TRUE(saveWorld(*world));
  ASSERT_TRUE(fs::exists(worldsFolder() / "World1.bak"));

  // The file is damaged behind the game's back: it loses its last bytes.
  std::string damaged = bytesOf("World1.dat");
  damaged.resize(damaged.size() - 40);
  std::ofstream(worldsFolder() / "World1.dat", std::ios::binary | std::ios::trunc) << damaged;
  const std::string backup = bytesOf("World1.bak");
  EXPECT_EQ(relist().status, WorldLoadStatus::Unreadable);

  // Whatever the player goes on with is not written over the damaged file and its backup.
  auto other = makeWorld(0);
  EXPECT_FALSE(saveWorld(*other));
  EXPECT_FALSE(saveWorld(*other));
  EXPECT_EQ(bytesOf("World1.dat"), damaged);
  EXPECT_EQ(bytesOf("World1.bak"), backup);

  ASSERT_TRUE(saves_.worlds().restoreBackup("World1"));
  WorldLoad restored = relist();
  ASSERT_EQ(restored.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(signOf(*restored.world), "old");
  EXPECT_EQ(restored.player, (PlayerCells{9, 8, 7, 6}));
  EXPECT_EQ(saves_.worlds().current()->width, 512);
  EXPECT_TRUE(saveWorld(*restored.world));
}

// The world is taken when the save is asked for; the worker writes that, whatever the world does
// meanwhile, and a second save waits for the first, so each completion comes once, in order.
TEST_F(WorldSavesTest, TheWorkerWritesTheWorldAsItWasWhenSavedAndOneSaveAfterTheOther) {
  kel::options().keepBackupOfSaves = true;
  auto world = newWorld(0, "first");
  std::vector<std::string> ended;
  ASSERT_TRUE(saves_.saveWorld(*world, [&](bool saved) { ended.push_back(saved ? "first" : "failed"); }));
  (*world->signs().begin())->setText("second");
  ASSERT_TRUE(saves_.saveWorld(*world, [&](bool saved) { ended.push_back(saved ? "second" : "failed"); }));
  EXPECT_EQ(ended, std::vector<std::string>{"first"}) << "the first write ended before the second began";
  (*world->signs().begin())->setText("never saved");
  saves_.waitForWrites();
  EXPECT_EQ(ended, (std::vector<std::string>{"first", "second"}));
  saves_.waitForWrites();
  EXPECT_EQ(ended.size(), 2u) << "each completion runs once";

  WorldLoad load = relist();
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(signOf(*load.world), "second");
  EXPECT_FALSE(fs::exists(worldsFolder() / "World1.tmp"));
}

// The cells are taken when the save is asked for, though the worker copies them: the game's
// changes right after it, all over the map, reach the next save and not this one.
TEST_F(WorldSavesTest, CellsChangedRightAfterASaveAreWrittenAsTheyWereWhenSaved) {
  auto world = newWorld(0, "cells");
  WorldMap& map = world->map();
  ASSERT_GT(map.cellCount() * sizeof(MapBlock), size_t{1} << 20) << "large enough to be copied lazily";
  const std::vector<int32_t> columns = {0, 1, map.width() / 2, map.width() - 1};
  for (int32_t x : columns) map.cell(x, 10).circuitA = 1;
  ASSERT_TRUE(saves_.saveWorld(*world));
  for (int32_t x : columns) {
    map.cell(x, 10).circuitA = 2;
    map.markChanged(map.cell(x, 10));
  }
  saves_.waitForWrites();

  WorldLoad load = relist();
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  for (int32_t x : columns) EXPECT_EQ(load.world->map().cell(x, 10).circuitA, 1) << x;
  ASSERT_TRUE(saveWorld(*world));
  load = relist();
  for (int32_t x : columns) EXPECT_EQ(load.world->map().cell(x, 10).circuitA, 2) << x;
}

// A new world's first save starts from the copy of its cells kept by the thread that made it, and
// copies into it only what changed since (no copy of every cell on the main thread); every later
// save keeps that copy. Reading a world keeps such a copy too.
TEST_F(WorldSavesTest, TheFirstSaveStartsFromTheCopyKeptWhenTheWorldWasMade) {
  auto world = newWorld(0, "made");
  WorldMap& map = world->map();
  LocalSaves::prepareWorldSave(*world);
  for (int32_t x = 0; x < map.width(); x += 37) {
    map.cell(x, 10).circuitA = static_cast<uint8_t>(1 + x % 200);
    map.markChanged(map.cell(x, 10));
  }

  ASSERT_TRUE(saveWorld(*world));
  const CellGrid& grid = LocalSavesProbe::snapshotCells(saves_);
  EXPECT_EQ(LocalSavesProbe::lastCopied(saves_), 14 * ChangedChunks::kChunkCells)
      << "the first save copied only the chunks changed since the world was made";
  const MapBlock* kept = grid.data();
  WorldLoad load = relist();
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  for (int32_t x = 0; x < map.width(); x += 37) EXPECT_EQ(load.world->map().cell(x, 10).circuitA, 1 + x % 200) << x;

  ASSERT_TRUE(saveWorld(*world));
  EXPECT_EQ(LocalSavesProbe::snapshotCells(saves_).data(), kept) << "later saves keep the copy";
  EXPECT_EQ(LocalSavesProbe::lastCopied(saves_), 0u);
  ASSERT_NE(load.world, nullptr);
  std::unique_ptr<KeptCells> prepared = load.world->map().takePreparedCopy();
  ASSERT_NE(prepared, nullptr) << "reading a world keeps a copy for its first save";
  EXPECT_TRUE(prepared->follows(load.world->map()));
}

// A world of another size, made or read, gets a copy of its own size at its first save.
TEST_F(WorldSavesTest, AWorldOfAnotherSizeGetsACopyOfItsSize) {
  auto small = newWorld(0, "small");
  ASSERT_TRUE(saveWorld(*small));
  WorldParams wide = params(0);
  wide.sizeIndex = 1;
  saves_.worlds().createEntry(wide, 1000);
  auto large = World::create(nullptr, wide);
  ASSERT_NE(large->map().cellCount(), small->map().cellCount());
  large->map().cell(large->map().width() - 1, 12).circuitA = 9;
  ASSERT_TRUE(saveWorld(*large));
  EXPECT_EQ(LocalSavesProbe::snapshotCells(saves_).size(), large->map().cellCount());

  saves_.worlds().list();
  for (const auto& entry : saves_.worlds().entries()) {
    if (entry->params.sizeIndex == 1) saves_.worlds().setCurrent(entry.get());
  }
  WorldLoad load = saves_.loadWorldFile(nullptr);
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(load.world->map().cell(large->map().width() - 1, 12).circuitA, 9);
}

// The copy a save keeps is as large as its world: once the world ended it goes (on the worker), and
// the next world, of another size, saves whole from a copy of its own.
TEST_F(WorldSavesTest, AnEndedWorldsCopyIsLetGoAndTheNextWorldSavesWhole) {
  auto first = newWorld(0, "first");
  ASSERT_TRUE(saveWorld(*first));
  ASSERT_EQ(LocalSavesProbe::snapshotCells(saves_).size(), first->map().cellCount());
  (*first->signs().begin())->setText("written before the end");
  ASSERT_TRUE(saves_.saveWorld(*first));  // still being written when the world ends
  RunningWorld running;
  StatsStore stats;
  LocalGameSaves gameSaves(saves_, running, stats);
  gameSaves.worldEnded();
  saves_.waitForWrites();
  EXPECT_EQ(LocalSavesProbe::snapshotCells(saves_).size(), 0u) << "nothing of the ended world is kept";
  first.reset();
  EXPECT_EQ(signOf(*relist().world), "written before the end") << "the write under way ended whole";

  WorldParams wide = params(0);
  wide.sizeIndex = 1;
  saves_.worlds().createEntry(wide, 1000);
  auto second = World::create(nullptr, wide);
  second->map().cell(second->map().width() - 1, 12).circuitA = 9;
  ASSERT_TRUE(saveWorld(*second));
  EXPECT_EQ(LocalSavesProbe::lastCopied(saves_), second->map().cellCount());
  saves_.worlds().list();
  for (const auto& entry : saves_.worlds().entries()) {
    if (entry->params.sizeIndex == 1) saves_.worlds().setCurrent(entry.get());
  }
  WorldLoad load = saves_.loadWorldFile(nullptr);
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(load.world->map().cell(second->map().width() - 1, 12).circuitA, 9);
}

// With a hand-over (the program's scheduler), the completion reaches the main thread through it;
// a wait afterwards does not run it again.
TEST_F(WorldSavesTest, TheCompletionComesThroughTheHandOverOnce) {
  std::mutex mutex;
  std::vector<std::function<void()>> handedOver;
  LocalSaves saves(files_, [&](std::function<void()> completion) {
    const std::lock_guard<std::mutex> lock(mutex);
    handedOver.push_back(std::move(completion));
  });
  saves.worlds().list();
  saves.worlds().createEntry(params(0), 1000);
  auto world = makeWorld(0);
  int completions = 0;
  ASSERT_TRUE(saves.saveWorld(*world, [&](bool saved) { completions += saved ? 1 : 100; }));
  for (int tries = 0; tries < 2000; ++tries) {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      if (!handedOver.empty()) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::vector<std::function<void()>> arrived;
  {
    const std::lock_guard<std::mutex> lock(mutex);
    arrived.swap(handedOver);
  }
  ASSERT_EQ(arrived.size(), 1u);
  EXPECT_EQ(completions, 0) << "nothing runs on the worker";
  arrived.front()();
  EXPECT_EQ(completions, 1);
  saves.waitForWrites();
  EXPECT_EQ(completions, 1);
}

// The process saving again and again on the worker is killed at moments spread over several
// saves: the world file, and its backup, always read as a whole world, the old one or a new one.
TEST_F(WorldSavesTest, AKillAtAnyMomentOfTheWorkersWriteLeavesAWholeWorld) {
  kel::options().keepBackupOfSaves = true;
  auto world = newWorld(0, "before");
  ASSERT_TRUE(saveWorld(*world));
  ASSERT_TRUE(saveWorld(*world));  // and a backup
  for (int delayMs = 0; delayMs <= 60; delayMs += 3) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int save = 0;; ++save) {
        (*world->signs().begin())->setText(save % 2 == 0 ? "even" : "odd");
        saves_.saveWorld(*world);  // waits for the write before it
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    for (const char* name : {"World1.dat", "World1.bak"}) {
      WorldLoad load;
      if (std::string(name) == "World1.dat") {
        load = relist();
      } else {
        fs::copy_file(worldsFolder() / name, worldsFolder() / "World1.dat", fs::copy_options::overwrite_existing);
        load = relist();
      }
      ASSERT_EQ(load.status, WorldLoadStatus::Loaded) << name << " after " << delayMs << " ms";
      const std::string sign = signOf(*load.world);
      EXPECT_TRUE(sign == "before" || sign == "even" || sign == "odd") << name << ": " << sign;
    }
    ASSERT_TRUE(saveWorld(*world));
  }
}

TEST_F(WorldSavesTest, AdventureKeepsItsLinksAndAFileForThePlanet) {
  auto world = newWorld(3, "far");
  saves_.planetLinks() = {{kPlanet, 2, 1, 2, 3, 4}};
  ASSERT_TRUE(saveWorld(*world));
  EXPECT_TRUE(fs::exists(worldsFolder() / "Adventure1" / "moor1.dat"));
  saves_.planetLinks().clear();

  WorldLoad load = relist();
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(signOf(*load.world), "far");
  EXPECT_EQ(saves_.planetLinks(), (std::vector<PlanetLinkRecord>{{kPlanet, 2, 1, 2, 3, 4}}));

  fs::rename(worldsFolder() / "Adventure1" / "moor1.dat", worldsFolder() / "Adventure1" / "moor1.bak");
  EXPECT_EQ(relist().status, WorldLoadStatus::PlanetMissingWithBackup);
  fs::remove(worldsFolder() / "Adventure1" / "moor1.bak");
  EXPECT_EQ(relist().status, WorldLoadStatus::PlanetMissing);
}

}  // namespace
}  // namespace saves_test

namespace saves_test {
namespace {

// A settings store that logs what is written under the marker's key.
class MarkLog final : public kel::JsonDefaults {
 public:
  void setString(const std::string& key, const std::string& value) override {
    if (key == "markedWorld") log.push_back("mark " + value);
    JsonDefaults::setString(key, value);
  }
  void remove(const std::string& key) override {
    if (key == "markedWorld") log.push_back("clear");
    JsonDefaults::remove(key);
  }
  std::vector<std::string> log;
};

class MarkingHost final : public settingstest::TestSettingsHost {
 public:
  kel::DefaultsBridge& defaults() override { return marks; }
  MarkLog marks;
};

// The game's saves mark the world file in the store they were given while they read it, and clear
// the mark once the read returned, whether the file was read or not; the process's own settings
// are never touched.
TEST_F(WorldSavesTest, AGamesSavesMarkTheWorldTheyReadInTheirOwnStore) {
  std::unique_ptr<World> world = newWorld(0, "kept");
  ASSERT_TRUE(saveWorld(*world));
  saves_.worlds().list();
  saves_.worlds().setCurrent(saves_.worlds().entries().front().get());
  MarkingHost host;
  LocalGameSaves game(saves_, runningWorld(), statsStore(), &host);
  int result = -1;
  game.loadWorldFile(nullptr, [&](LoadedWorld loaded) { result = loaded.result; });
  EXPECT_EQ(host.marks.log, (std::vector<std::string>{"mark World1.dat"})) << "marked while it is read";
  saves_.waitForWrites();
  EXPECT_EQ(result, LoadedWorld::kLoaded);
  EXPECT_EQ(host.marks.log, (std::vector<std::string>{"mark World1.dat", "clear"}));
  EXPECT_TRUE(kel::getMarkedWorld().empty());

  fs::remove(worldsFolder() / "World1.dat");
  host.marks.log.clear();
  game.loadWorldFile(nullptr, [&](LoadedWorld loaded) { result = loaded.result; });
  saves_.waitForWrites();
  EXPECT_NE(result, LoadedWorld::kLoaded);
  EXPECT_EQ(host.marks.log, (std::vector<std::string>{"mark World1.dat", "clear"})) << "a read that returned, failed";
}

// A game's world file is read on the save worker: nothing of the read runs on the calling (main)
// thread, and the world comes back through the completion whole, with the copy its first save
// starts from. A file that does not read whole comes back as unreadable, and is then never saved
// over.
TEST_F(WorldSavesTest, AGamesWorldFileIsReadOnTheSaveWorker) {
  auto world = newWorld(0, "kept");
  world->map().cell(7, 9).circuitA = 5;
  ASSERT_TRUE(saveWorld(*world));
  saves_.worlds().list();
  saves_.worlds().setCurrent(saves_.worlds().entries().front().get());
  std::optional<WorldLoad> load;
  saves_.loadWorldFileLater(nullptr, [&](WorldLoad answer) { load = std::move(answer); });
  EXPECT_FALSE(load.has_value()) << "without a hand-over the answer waits for the next wait";
  saves_.waitForWrites();
  ASSERT_TRUE(load.has_value());
  ASSERT_EQ(load->status, WorldLoadStatus::Loaded);
  EXPECT_EQ(links.recounts, 1);
  EXPECT_NE(links.restoredOn, std::this_thread::get_id()) << "read on the calling thread";
  EXPECT_EQ(signOf(*load->world), "kept");
  EXPECT_EQ(load->world->map().cell(7, 9).circuitA, 5);
  EXPECT_NE(load->world->map().takePreparedCopy(), nullptr) << "no copy kept for its first save";

  std::string damaged = bytesOf("World1.dat");
  damaged.resize(damaged.size() - 40);
  std::ofstream(worldsFolder() / "World1.dat", std::ios::binary | std::ios::trunc) << damaged;
  load.reset();
  saves_.loadWorldFileLater(nullptr, [&](WorldLoad answer) { load = std::move(answer); });
  saves_.waitForWrites();
  ASSERT_TRUE(load.has_value());
  EXPECT_EQ(load->status, WorldLoadStatus::Unreadable);
  EXPECT_EQ(load->world, nullptr);
  EXPECT_FALSE(saves_.saveWorld(*world)) << "the damaged file is saved over";
  EXPECT_EQ(bytesOf("World1.dat"), damaged);
}

}  // namespace
}  // namespace saves_test
