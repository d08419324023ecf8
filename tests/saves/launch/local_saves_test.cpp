// The character save and the statistics file: nothing without a character source or a current
// character; otherwise both go to the current character's files. A character saved while the game
// plays on is taken at once and written by a worker; the store waits for that write.
#include "saves/launch/local_saves.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "game/stats/stats_file.h"
#include "game/stats/stats_store.h"
#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "platform/settings/settings.h"
#include "saves/character/character_file.h"
#include "game/session/running_world.h"
#include "saves/launch/local_game_saves.h"
#include "tests/support/temp_dir.h"
#include "tests/support/settings_reset.h"

namespace {

class LocalSavesTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::resetSettings(); }
  void TearDown() override { testsupport::resetSettings(); }

  std::string playerFile(const std::string& name) const {
    return (home_.path() / "Rubblemoor" / "players" / name).string();
  }

  testsupport::ScopedDataHome home_;
  kel::DesktopFileSystem files_;
  LocalSaves saves_{files_};
};

TEST_F(LocalSavesTest, CharacterAndStatisticsFollowTheCurrentCharacter) {
  CharacterStore& store = saves_.characters();
  store.scan("");
  saves_.saveCharacter();  // no source, no character: nothing happens
  EXPECT_FALSE(saves_.saveCurrentCharacter());
  StatsRecord played;
  EXPECT_FALSE(store.saveStatsBytes(writeStatsBytes(played)));

  ASSERT_TRUE(store.create(std::make_unique<PlayerEntry>("Ada.dat", "Ada", 0), std::nullopt));
  store.setCurrent(store.entries().front().get());
  saves_.setCharacterSource([](CharacterRecord& record) {
    record.name = "Ada";
    record.health = 17.0f;
    return true;
  });
  kel::options().keepBackupOfSaves = false;
  ASSERT_TRUE(saves_.saveCurrentCharacter());
  EXPECT_FALSE(std::filesystem::exists(playerFile("Ada.bak")));
  kel::FileHandle file(playerFile("Ada.dat"), kel::FileHandle::READ);
  CharacterRecord loaded;
  CharacterParts parts;
  ASSERT_TRUE(readCharacterFile(file, loaded, parts));
  EXPECT_EQ(loaded.health, 17.0f);

  // The statistics go through the store the game counts in, never the process's.
  played.counters[60] = 7200;
  played.categories[7][43] = 3;
  StatsStore games;
  ASSERT_TRUE(games.readStatistics(writeStatsBytes(played)));
  StatsRecord processes;
  processes.counters[60] = 5;
  statsStore().clearStatistics();
  ASSERT_TRUE(statsStore().readStatistics(writeStatsBytes(processes)));
  LocalGameSaves game(saves_, runningWorld(), games);
  game.saveStatistics();
  StatsRecord onDisk;
  ASSERT_TRUE(store.loadStats(onDisk));
  EXPECT_EQ(onDisk.counters, played.counters);
  EXPECT_EQ(onDisk.categories, played.categories);
  games.clearStatistics();
  game.loadStatistics();
  EXPECT_EQ(games.counter(60), 7200u);
  EXPECT_EQ(games.statCategoryCount(7, 43), 3u);
  EXPECT_EQ(statsStore().counter(60), 5u) << "the process's store is left as it was";
  statsStore().clearStatistics();
}

TEST_F(LocalSavesTest, ACharacterSavedLaterIsTakenAtOnceAndWrittenByTheWorker) {
  std::vector<bool> answers;
  saves_.saveCharacterLater([&answers](bool saved) { answers.push_back(saved); });
  EXPECT_EQ(answers, std::vector<bool>{false}) << "no source, no character: refused at once";

  CharacterStore& store = saves_.characters();
  store.scan("");
  ASSERT_TRUE(store.create(std::make_unique<PlayerEntry>("Ada.dat", "Ada", 0), std::nullopt));
  store.setCurrent(store.entries().front().get());
  float health = 11.0f;
  saves_.setCharacterSource([&health](CharacterRecord& record) {
    record.name = "Ada";
    record.health = health;
    return true;
  });
  saves_.saveCharacterLater([&answers](bool saved) { answers.push_back(saved); });
  // What the player becomes after the save began is the next save's.
  health = 3.0f;
  saves_.characters();  // waits for the write and hands its answer over
  EXPECT_EQ(answers, (std::vector<bool>{false, true}));
  kel::FileHandle file(playerFile("Ada.dat"), kel::FileHandle::READ);
  CharacterRecord loaded;
  CharacterParts parts;
  ASSERT_TRUE(readCharacterFile(file, loaded, parts));
  EXPECT_EQ(loaded.health, 11.0f);
  EXPECT_TRUE(std::filesystem::exists(playerFile("Ada.bak"))) << "the file made by create is kept as the backup";
  EXPECT_FALSE(std::filesystem::exists(playerFile("Ada.tmp")));
}

}  // namespace
