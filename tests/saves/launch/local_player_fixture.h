#pragma once
// A players folder in a temporary data home, the real local store over it and the game's saves
// registered on it, with the process-wide objects a character load touches (the running player,
// the statistics store's achievements, the difficulty index, the content tables) put back after
// each test.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "platform/settings/settings.h"
#include "saves/character/character_file.h"
#include "saves/launch/local_game_saves.h"
#include "saves/launch/local_saves.h"
#include "tests/game/content_rows.h"
#include "tests/saves/save_bytes.h"
#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"
#include "world/rules/game.h"
#include "tests/support/settings_reset.h"

namespace saves_test {

class LocalPlayerTest : public test_rows::ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    testsupport::resetSettings();
    statsStore().clearUnlocked();
    files_.createFolder(saves_.characters().folder(), true);
  }
  void TearDown() override {
    runningWorld().player.reset();
    statsStore().clearUnlocked();
    testsupport::resetSettings();
    ContentTest::TearDown();
  }

  std::string playerPath(const std::string& file) { return saves_.characters().pathOf(file); }

  void writeFile(const std::string& file, Bytes bytes) {
    bytes.reserve(1);  // an empty file still has somewhere to write from
    kel::FileHandle out(playerPath(file), kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(out.isOpen());
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), out.stream()), bytes.size());
  }
  void writeRecord(const std::string& file, const CharacterRecord& record) {
    kel::FileHandle out(playerPath(file), kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(writeCharacterFile(out, record));
  }
  Bytes fileBytes(const std::string& file) {
    const std::string text = testsupport::readFile(playerPath(file));
    return Bytes(text.begin(), text.end());
  }

  // Makes an entry for the file current, as the character list would, and loads it.
  std::unique_ptr<PlayerDesktopLocal> loadAs(const std::string& file, uint32_t flags = 0,
                                             uint32_t difficulty = 2) {
    entry_ = std::make_unique<PlayerEntry>(file, "Loaded", 1);
    entry_->characterFlags = flags;
    entry_->difficultyId = difficulty;
    saves_.characters().setCurrent(entry_.get());
    return game_.loadLocalPlayer(rules_, nullptr, nullptr);
  }

  testsupport::ScopedDataHome home_;
  kel::DesktopFileSystem files_;
  LocalSaves saves_{files_};
  LocalGameSaves game_{saves_, runningWorld(), statsStore()};
  NullGame rules_;
  std::unique_ptr<PlayerEntry> entry_;
};

}  // namespace saves_test
