// A world or character file that cannot be read stays on its page as damaged; its dialog names the
// file and what is wrong and offers the backup when the backup reads back whole; restoring keeps
// the damaged file aside and lists the restored save to play. A world that fails to load leaves
// the player on this dialog, then on the worlds page.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "game/session/game_screen.h"
#include "menus/menu_game_screen.h"
#include "saves/character/character_record.h"
#include "saves/store/character_store.h"
#include "saves/store/world_store.h"
#include "tests/menus/start_view_fixture.h"
#include "tests/support/damage_cases.h"
#include "tests/support/read_file.h"
#include "world/world.h"

namespace {

namespace fs = std::filesystem;
using Page = StartView::Page;
using savetest::Damage;

class DamagedSavesPageTest : public menutest::StartViewFixture {
 protected:
  // Ann saved twice: her backup is the first save.
  fs::path savedCharacter() {
    EXPECT_TRUE(start().createCharacter("Ann", 2));
    CharacterStore& characters = saves.characters();
    for (int save = 0; save < 2; ++save) EXPECT_TRUE(characters.save(newCharacterRecord(*characters.current())));
    return characters.pathOf("Ann.dat");
  }
  std::unique_ptr<World> world;
  bool chooseRow(const std::string& text) {
    const auto& rows = start().list().rows();
    for (const auto& row : rows) {
      if (row.text == text && row.action) {
        row.action();
        return true;
      }
    }
    return false;
  }
  // A world saved twice (its backup is the first save), its file then damaged and the game's try
  // to load it failed, as when the player chose to continue it.
  fs::path worldThatFailedToLoad(Damage damage) {
    EXPECT_TRUE(start().createCharacter("Ann", 2));
    fs::create_directories(saves.worlds().folder());
    WorldEntry& entry = saves.worlds().createEntry(WorldParams{.planetId = 1}, 5);
    world = World::create(nullptr, entry.params);
    for (int save = 0; save < 2; ++save) {
      EXPECT_TRUE(saves.saveWorld(*world));
      saves.waitForWrites();
    }
    const fs::path file = saves.worlds().pathOf(entry.fileName);
    savetest::damageFile(file, damage);
    saves.worlds().list();
    EXPECT_EQ(saves.loadWorldFile(nullptr).status, WorldLoadStatus::Unreadable);
    return file;
  }
  bool saysLine(const std::string& text) {
    for (const std::string& line : start().lines()) {
      if (line == text) return true;
    }
    return false;
  }
};

// A character holds no check value for its items: its structural damage is what can be told.
class DamagedCharacterPageTest : public DamagedSavesPageTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedCharacterPageTest, ADamagedCharacterIsListedNamedAndRestoredToPlay) {
  const fs::path file = savedCharacter();
  const std::string good = testsupport::readFile(file);
  savetest::damageFile(file, GetParam());
  saves.characters().scan("Ann");
  start().showPage(Page::Characters);

  for (const auto& row : start().list().rows()) EXPECT_NE(row.text.rfind("Play as Ann", 0), 0u) << row.text;
  ASSERT_TRUE(chooseRow("Damaged character file: Ann.dat"));
  EXPECT_EQ(start().page(), Page::Damaged);
  const std::string& reason = start().damaged().reason;
  EXPECT_FALSE(reason.empty());
  EXPECT_TRUE(saysLine("The character file Ann.dat cannot be read: " + reason + "."));
  ASSERT_TRUE(chooseRow("Restore the backup"));

  EXPECT_EQ(start().page(), Page::Characters);
  EXPECT_EQ(start().status(), "Restored Ann from its backup; the damaged file is kept beside it as Ann.damaged.")
      << "the status names the save and the kept file, not their folders";
  EXPECT_TRUE(fs::exists(file.parent_path() / "Ann.damaged")) << "the damaged file is kept aside";
  EXPECT_FALSE(hasRow("Damaged character file: Ann.dat"));
  bool playable = false;
  for (const auto& row : start().list().rows()) playable = playable || row.text.rfind("Play as Ann", 0) == 0;
  EXPECT_TRUE(playable) << "the restored character is listed to play";
}

TEST_F(DamagedSavesPageTest, AWorldWithoutAWholeBackupIsNamedWithNothingToRestore) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  fs::create_directories(saves.worlds().folder());
  const fs::path file = saves.worlds().pathOf("World1.dat");
  std::ofstream(file, std::ios::binary) << std::string(200, 'X');
  saves.worlds().list();
  start().showPage(Page::Worlds);
  ASSERT_TRUE(chooseRow("Damaged world file: World1.dat"));
  EXPECT_TRUE(saysLine("It has no backup that reads back whole."));
  EXPECT_FALSE(hasRow("Restore the backup"));
  ASSERT_TRUE(chooseRow("Back"));
  EXPECT_EQ(start().page(), Page::Worlds);
}

TEST_F(DamagedSavesPageTest, AWorldThatFailsToLoadSaysSoAndLeavesThePlayerOnTheWorldsPage) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  fs::create_directories(saves.worlds().folder());
  WorldEntry& entry = saves.worlds().createEntry(WorldParams{.planetId = 1}, 5);
  const std::string path = saves.worlds().pathOf(entry.fileName);
  std::ofstream(path) << "not a world";
  MenuGameScreen().showStartView(StartView::kUnreadableWorldDialog);
  EXPECT_EQ(gameViews()->currentId(), ViewId::Start);
  EXPECT_EQ(start().page(), Page::Damaged);
  EXPECT_TRUE(saysLine("The world file " + entry.fileName + " cannot be read: " + start().damaged().reason + "."));
  ASSERT_TRUE(chooseRow("Back"));
  EXPECT_EQ(start().page(), Page::Worlds);
}

// The cells section's directory entry given an id no section has: the world would load empty and
// its first save would go over the file. It fails to load instead, is named with what is wrong,
// its backup is offered, and no save goes over it.
TEST_F(DamagedSavesPageTest, AWorldWhoseCellsEntryIsDamagedIsNamedItsBackupOfferedAndNeverSavedOver) {
  const fs::path file = worldThatFailedToLoad(Damage::CellsEntry);
  const std::string damaged = testsupport::readFile(file);
  MenuGameScreen().showStartView(StartView::kUnreadableWorldDialog);
  EXPECT_EQ(start().page(), Page::Damaged);
  EXPECT_TRUE(saysLine("The world file " + file.filename().string() + " cannot be read: its section 2 is missing."))
      << "named by its name: a whole path breaks mid-word across the panel";;
  EXPECT_TRUE(saysLine("Its backup reads back whole. Restoring it keeps the damaged file aside."));
  EXPECT_TRUE(hasRow("Restore the backup"));
  ASSERT_TRUE(chooseRow("Back"));
  EXPECT_TRUE(hasRow("Damaged world file: World1.dat")) << "the worlds page names it too";

  EXPECT_FALSE(saves.saveWorld(*world));
  saves.waitForWrites();
  EXPECT_EQ(testsupport::readFile(file), damaged) << "a save went over the damaged file";

  ASSERT_TRUE(chooseRow("Damaged world file: World1.dat"));
  ASSERT_TRUE(chooseRow("Restore the backup"));
  EXPECT_EQ(saves.loadWorldFile(nullptr).status, WorldLoadStatus::Loaded);
}

// Only an adventure's file is version 2: a world's backup that says so would be put back, fail to
// load and be offered again.
TEST_F(DamagedSavesPageTest, AWorldsBackupWhoseVersionReadsTwoIsNotOffered) {
  const fs::path file = worldThatFailedToLoad(Damage::Middle);
  savetest::damageFile(saves.worlds().pathOf("World1.bak"), Damage::VersionTwo);
  MenuGameScreen().showStartView(StartView::kUnreadableWorldDialog);
  EXPECT_EQ(start().page(), Page::Damaged);
  EXPECT_TRUE(saysLine("It has no backup that reads back whole."));
  EXPECT_FALSE(hasRow("Restore the backup"));
}

INSTANTIATE_TEST_SUITE_P(EachStructuralDamage, DamagedCharacterPageTest,
                         ::testing::Values(Damage::Emptied, Damage::CutShort, Damage::Header),
                         [](const ::testing::TestParamInfo<Damage>& damage) { return std::string(savetest::damageName(damage.param)); });

}  // namespace
