// The start view's pages over a store in a temporary folder: characters made with their starting
// tools, refused names, renaming and deleting; worlds made with the chosen name, planet, size and
// mode and handed to the game; continuing and deleting; going back page by page; binding a key;
// and the game screen's wait, main and start views.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "content/planets/planet_def.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "game/session/game_screen.h"
#include "menus/menu_game_screen.h"
#include "menus/menu_saves.h"
#include "menus/menu_views.h"
#include "menus/start_view.h"
#include "saves/character/starter_kit.h"
#include "menus/wait_view.h"
#include "platform/desktop_file_system.h"
#include "platform/desktop_platform.h"
#include "platform/file_handle.h"
#include "platform/settings/settings.h"
#include "saves/character/character_file.h"
#include "saves/character/character_record.h"
#include "saves/launch/local_saves.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/music.h"
#include "tests/platform/audio/audio_fixture.h"
#include "tests/menus/start_view_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/hud/hud.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "world/rules/game.h"

namespace {

using Page = StartView::Page;

class StartViewTest : public menutest::StartViewFixture {
 protected:
  CharacterRecord readCharacter(const std::string& name) {
    kel::FileHandle file(saves.characters().pathOf(name + ".dat"), kel::FileHandle::READ);
    CharacterRecord record;
    CharacterParts parts;
    EXPECT_TRUE(readCharacterFile(file, record, parts));
    return record;
  }
};

TEST_F(StartViewTest, TheMenusViewsAreReachedAsTheClassesTheMenusMadeThem) {
  GameViews* views = gameViews();
  ASSERT_NE(views, nullptr);
  EXPECT_TRUE(views->madeByMenus(ViewId::Start));
  EXPECT_EQ(views->menuView<StartView>(), &views->view(ViewId::Start));
  EXPECT_EQ(views->menuView<WaitView>(), &views->view(ViewId::Wait));
}

TEST_F(StartViewTest, ACreatedCharacterIsWrittenWithItsStartingToolsAndBecomesCurrent) {
  EXPECT_EQ(start().page(), Page::Main);
  ASSERT_TRUE(start().choose("Play"));
  EXPECT_EQ(start().page(), Page::Characters);
  ASSERT_TRUE(start().choose("New character"));
  ASSERT_TRUE(start().createCharacter("Ann", 1));
  EXPECT_EQ(start().status(), "Created Ann.");
  ASSERT_NE(saves.characters().current(), nullptr);
  EXPECT_EQ(saves.characters().current()->displayName, "Ann");
  const CharacterRecord record = readCharacter("Ann");
  EXPECT_EQ(record.difficultyId, 1u);
  for (size_t i = 0; i < kStarterKit.size(); ++i) {
    EXPECT_EQ(record.firstRow[i].id, kStarterKit[i].id);
    EXPECT_EQ(record.firstRow[i].count, kStarterKit[i].count);
  }
  EXPECT_TRUE(hasRow("Play as Ann (Easy)"));
  ASSERT_TRUE(start().choose("Play as Ann (Easy)"));
  EXPECT_EQ(start().page(), Page::Worlds);
  EXPECT_EQ(start().status(), "") << "the worlds page does not repeat what the characters page said";
}

TEST_F(StartViewTest, NamesThatCannotBeFilesOrAreTakenAreRefused) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  const struct {
    const char* name;
    const char* status;
  } refused[] = {
      {"", "That name cannot be used."},
      {"../Ann", "That name cannot be used."},
      {"a/b", "That name cannot be used."},
      {"Ann", "The name Ann is taken: choose another."},
      {"aNN", "The name aNN is taken: choose another."},
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(start().createCharacter(r.name, 2)) << r.name;
    EXPECT_EQ(start().status(), r.status) << r.name;
  }
  EXPECT_EQ(saves.characters().entries().size(), 1u);
}

// The character file keeps 16 bytes of the name: a longer one would read back as another name
// than its file's, and the character would be listed and saved apart from it.
TEST_F(StartViewTest, ANameLongerThanTheFileKeepsIsRefusedAndOneThatFitsReadsBackWhole) {
  EXPECT_FALSE(start().createCharacter("Seventeen Letters", 2));
  EXPECT_EQ(start().status(), "That name is too long: at most 16 letters.");
  EXPECT_TRUE(saves.characters().entries().empty());
  ASSERT_TRUE(start().createCharacter("Sixteen  Letters", 2));
  EXPECT_EQ(readCharacter("Sixteen  Letters").name, "Sixteen  Letters");
  ASSERT_TRUE(start().choose("Play as Sixteen  Letters (Normal)"));
  EXPECT_FALSE(start().renameCharacter("Seventeen Letters"));
  EXPECT_EQ(saves.characters().current()->displayName, "Sixteen  Letters");
}

TEST_F(StartViewTest, ATakenNameIsRefusedOnTheNewCharacterPageWithTheReasonShown) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  ASSERT_TRUE(start().choose("New character"));
  ASSERT_TRUE(start().choose("Name: Player"));
  start().nameEntry().submit("Ann");
  ASSERT_TRUE(start().choose("Create"));
  EXPECT_EQ(start().page(), Page::NewCharacter) << "the page stays for another name";
  const std::vector<std::string>& lines = start().lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "The name Ann is taken: choose another."), lines.end());
  EXPECT_EQ(saves.characters().entries().size(), 1u);
}

TEST_F(StartViewTest, AStatusLineStaysOnThePageItWasSaidOnAndMovesNoOtherPagesRows) {
  engine::Director::getInstance()->designResolutionChanged(engine::Size(1280, 720));
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  start().showPage(Page::Characters);
  ASSERT_EQ(start().status(), "") << "shown once on the page the creation opened";
  const engine::Rect firstRow = start().list().rowRect(0);
  ASSERT_GT(firstRow.size.width, 0.0f);
  ASSERT_TRUE(start().choose("New character"));
  ASSERT_TRUE(start().choose("Name: Player"));
  start().nameEntry().submit("Ann");
  ASSERT_TRUE(start().choose("Create"));
  ASSERT_EQ(start().status(), "The name Ann is taken: choose another.");
  ASSERT_TRUE(start().choose("Back"));
  EXPECT_EQ(start().page(), Page::Characters);
  EXPECT_EQ(start().status(), "");
  const std::vector<std::string>& lines = start().lines();
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "The name Ann is taken: choose another."), lines.end());
  EXPECT_EQ(start().list().rowRect(0), firstRow) << "the rows stand where they stood before";
}

TEST_F(StartViewTest, TheConfirmationOpensOnNoAndANewCharacterOffersTheDefaultName) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  start().showPage(Page::Characters);
  ASSERT_TRUE(start().choose("Delete Ann"));
  ASSERT_EQ(start().page(), Page::Confirm);
  ASSERT_EQ(start().list().selected(), StartView::kConfirmNoRow);
  EXPECT_EQ(start().list().rows()[StartView::kConfirmNoRow].text, "No");
  start().keyEvent(engine::KeyCode::ENTER, false);
  start().keyEvent(engine::KeyCode::ENTER, true);
  EXPECT_EQ(start().page(), Page::Characters);
  EXPECT_TRUE(std::filesystem::exists(saves.characters().pathOf("Ann.dat"))) << "a hurried Enter deletes nothing";

  ASSERT_TRUE(start().choose("New character"));
  ASSERT_TRUE(start().choose("Name: Player"));
  start().nameEntry().submit("Bob");
  ASSERT_TRUE(start().choose("Create"));
  ASSERT_EQ(start().status(), "Created Bob.");
  ASSERT_TRUE(start().choose("New character"));
  EXPECT_TRUE(hasRow("Name: Player")) << "not the name typed last";
  ASSERT_TRUE(start().choose("Name: Player"));
  EXPECT_EQ(start().nameEntry().shownText(), "Player");
}

TEST_F(StartViewTest, TheMainMenuShowsThePlainVersion) {
  start().showPage(Page::Main);
  ASSERT_FALSE(start().lines().empty());
  EXPECT_EQ(start().lines().front(), "3.1");
}

// The settings file read at launch, in a folder of the test's own.
class DamagedSettingsStartViewTest : public StartViewTest {
 protected:
  testsupport::ScopedDataHome home;
};

TEST_F(DamagedSettingsStartViewTest, ADamagedSettingsFileIsNamedOnTheMainPageWithWhereItIsKept) {
  const std::filesystem::path file = platform->fileSystem()->settingsPath();
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << R"({"option-uiScale": )";
  platform->defaults()->load();
  start().showPage(Page::Main);
  const std::string said =
      "Settings file damaged: settings.json; the defaults are used and it is kept beside them as settings.damaged.";
  EXPECT_TRUE(std::filesystem::exists(file.parent_path() / "settings.damaged"));
  EXPECT_NE(std::find(start().lines().begin(), start().lines().end(), said), start().lines().end()) << said;
}

TEST_F(DamagedSettingsStartViewTest, APartlyDamagedSettingsFileIsNamedWithWhatWasKept) {
  const std::filesystem::path file = platform->fileSystem()->settingsPath();
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << R"({"option-servers": ["home;10.0.0.1;7777", 3]})";
  platform->defaults()->load();
  start().showPage(Page::Main);
  const std::string said = "Settings file damaged: settings.json; what could be read is used and the file as it was "
                           "is kept beside it as settings.damaged.";
  EXPECT_TRUE(std::filesystem::exists(file.parent_path() / "settings.damaged"));
  EXPECT_NE(std::find(start().lines().begin(), start().lines().end(), said), start().lines().end()) << said;
}

TEST_F(StartViewTest, TheCurrentCharacterIsRenamedAndDeletedWithItsFile) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  ASSERT_TRUE(start().createCharacter("Bob", 2));
  EXPECT_FALSE(start().renameCharacter("Ann")) << "the name is taken";
  EXPECT_TRUE(start().renameCharacter("Cid"));
  EXPECT_TRUE(std::filesystem::exists(saves.characters().pathOf("Cid.dat")));
  EXPECT_FALSE(std::filesystem::exists(saves.characters().pathOf("Bob.dat")));
  start().showPage(Page::Characters);
  ASSERT_TRUE(start().choose("Delete Cid"));
  EXPECT_EQ(start().page(), Page::Confirm);
  ASSERT_TRUE(start().choose("Yes"));
  EXPECT_EQ(start().page(), Page::Characters);
  EXPECT_FALSE(std::filesystem::exists(saves.characters().pathOf("Cid.dat")));
  EXPECT_EQ(saves.characters().entries().size(), 1u);
}

TEST_F(StartViewTest, ANewWorldTakesItsNamePlanetSizeAndModeAndStartsGenerating) {
  EXPECT_FALSE(start().createWorld({})) << "no character yet";
  EXPECT_EQ(start().status(), "Choose a character first.");
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  ASSERT_TRUE(start().chooseCharacter(*saves.characters().current()));
  ASSERT_EQ(start().page(), Page::Worlds);
  ASSERT_TRUE(start().choose("New world"));
  // The rows cycle their choices.
  ASSERT_TRUE(start().choose("Planet: terra"));
  ASSERT_TRUE(start().choose("Size: 512 x 128"));
  ASSERT_TRUE(start().choose("Mode: Survival"));
  ASSERT_TRUE(start().choose("Mode: Creative"));
  EXPECT_TRUE(hasRow("Planet: mars"));
  EXPECT_TRUE(hasRow("Size: 768 x 256"));
  EXPECT_TRUE(hasRow("Mode: Flat creative"));
  start().newWorld().name = "Moor";
  ASSERT_TRUE(start().choose("Create"));
  ASSERT_EQ(game.modes, std::vector<uint8_t>{2});
  const WorldEntry* entry = saves.worlds().current();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->displayName, "Moor");
  EXPECT_EQ(entry->fileName, "Moor.dat");
  EXPECT_EQ(entry->params.planetId, 2u);
  EXPECT_EQ(entry->params.sizeIndex, 1);
  EXPECT_EQ(entry->params.mode, 2);
  EXPECT_FALSE(start().createWorld(NewWorldChoice{.name = "a/b"}));
  EXPECT_EQ(game.modes.size(), 1u);
}

TEST_F(StartViewTest, ATakenWorldNameIsRefusedOnTheNewWorldPageWithTheReasonShown) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  ASSERT_TRUE(start().chooseCharacter(*saves.characters().current()));
  ASSERT_TRUE(start().createWorld(NewWorldChoice{.name = "Moor"}));
  start().showPage(Page::NewWorld);
  start().newWorld().name = "Moor";
  ASSERT_TRUE(start().choose("Create"));
  EXPECT_EQ(start().page(), Page::NewWorld) << "the page stays for another name";
  const std::vector<std::string>& lines = start().lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "A world named Moor exists: choose another name."), lines.end());
  EXPECT_EQ(game.modes.size(), 1u);
}

TEST_F(StartViewTest, EscapeGoesBackPageByPage) {
  const struct {
    Page from;
    Page to;
  } cases[] = {
      {Page::Options, Page::Main},   {Page::Characters, Page::Main},  {Page::NewCharacter, Page::Characters},
      {Page::Worlds, Page::Characters}, {Page::NewWorld, Page::Worlds}, {Page::Message, Page::Main},
  };
  for (const auto& c : cases) {
    start().showPage(c.from);
    start().keyEvent(engine::KeyCode::ESCAPE, false);
    start().keyEvent(engine::KeyCode::ESCAPE, true);
    EXPECT_EQ(start().page(), c.to) << static_cast<int>(c.from);
  }
}

TEST_F(StartViewTest, BackOnTheMainMenuTheRowThatLedAwayIsSelected) {
  const auto selectedText = [this] {
    return start().list().rows()[static_cast<size_t>(start().list().selected())].text;
  };
  start().showPage(Page::Main);
  ASSERT_TRUE(start().choose("Options"));
  ASSERT_EQ(start().page(), Page::Options);
  start().keyEvent(engine::KeyCode::ESCAPE, false);
  start().keyEvent(engine::KeyCode::ESCAPE, true);
  ASSERT_EQ(start().page(), Page::Main);
  EXPECT_EQ(selectedText(), "Options") << "Enter opens the options again";
  ASSERT_TRUE(start().choose("Options"));
  ASSERT_TRUE(start().choose("Back"));
  EXPECT_EQ(selectedText(), "Options");
  ASSERT_TRUE(start().choose("Multiplayer"));
  start().back();
  EXPECT_EQ(selectedText(), "Multiplayer");
  start().showPage(Page::Options);
  EXPECT_FALSE(start().list().rows()[static_cast<size_t>(start().list().selected())].heading);
  start().showPage(Page::Message);
  EXPECT_EQ(start().list().selected(), 0) << "another page opens on its first row";
}

TEST_F(StartViewTest, AnOptionsRowBindsTheNextKeyPressed) {
  start().showPage(Page::Options);
  ASSERT_TRUE(start().choose("Move up: W"));
  EXPECT_EQ(start().bindingAction(), 0);
  start().keyEvent(engine::KeyCode::I, false);
  EXPECT_EQ(platform->keyForAction(0), static_cast<uint32_t>(engine::KeyCode::I));
  EXPECT_EQ(start().bindingAction(), -1);
  EXPECT_TRUE(hasRow("Move up: I"));
  ASSERT_TRUE(start().choose("Jump: Space"));
  start().keyEvent(engine::KeyCode::ESCAPE, false);
  EXPECT_EQ(platform->keyForAction(4), static_cast<uint32_t>(engine::KeyCode::SPACE)) << "Escape keeps the key";
}

TEST_F(StartViewTest, AKeyInUseIsSwappedWithTheActionThatHeldItAndTheStatusSaysSo) {
  start().showPage(Page::Options);
  ASSERT_TRUE(start().choose("Move right: D"));
  start().keyEvent(engine::KeyCode::A, false);
  EXPECT_EQ(platform->keyForAction(3), static_cast<uint32_t>(engine::KeyCode::A));
  EXPECT_EQ(platform->keyForAction(2), static_cast<uint32_t>(engine::KeyCode::D)) << "Move left is not left unbound";
  EXPECT_TRUE(hasRow("Move right: A"));
  EXPECT_TRUE(hasRow("Move left: D"));
  const std::string said = "Move right now uses A. A was the key of Move left, which takes D in exchange.";
  EXPECT_EQ(start().status(), said);
  const std::vector<std::string>& lines = start().lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), said), lines.end()) << "shown under the title";
  // A free key takes nothing from anyone.
  ASSERT_TRUE(start().choose("Jump: Space"));
  start().keyEvent(engine::KeyCode::J, false);
  EXPECT_EQ(start().status(), "Jump now uses J.");
}

TEST_F(StartViewTest, TheGameScreenShowsTheWaitViewThenTheMainViewOrTheStartViewsMessage) {
  MenuGameScreen screen;
  screen.showLoading(GameScreen::kNoText);
  ASSERT_EQ(gameViews()->currentId(), ViewId::Wait);
  auto& wait = dynamic_cast<WaitView&>(gameViews()->view(ViewId::Wait));
  EXPECT_EQ(wait.firstLine(), "Loading...");
  screen.setLoadingText("Carving caves");
  EXPECT_EQ(wait.secondLine(), "Carving caves");
  EXPECT_EQ(wait.firstLine(), "Loading...");
  screen.enterMainView();
  EXPECT_EQ(gameViews()->currentId(), ViewId::Main);
  screen.showStartView(19);
  EXPECT_EQ(gameViews()->currentId(), ViewId::Start);
  EXPECT_EQ(start().page(), Page::Message);
  EXPECT_EQ(start().lines().front(), "The planet's world file is missing.");
  screen.showStartView(0);
  EXPECT_EQ(start().page(), Page::Main);
}

TEST_F(StartViewTest, ContinuingAWorldLoadsItAndDeletingItRemovesItsFile) {
  ASSERT_TRUE(start().createCharacter("Ann", 2));
  std::filesystem::create_directories(saves.worlds().folder());
  WorldEntry& entry = saves.worlds().createEntry(WorldParams{.planetId = 1}, 5);
  const std::string path = saves.worlds().pathOf(entry.fileName);
  std::ofstream(path) << "not a world";
  EXPECT_TRUE(start().continueWorld(entry));
  EXPECT_EQ(game.modes, std::vector<uint8_t>{1});
  EXPECT_TRUE(start().deleteWorld(entry));
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace

namespace {

// The start view over a silent audio engine whose music folder holds the menu track.
class StartViewMusicTest : public StartViewTest {
 protected:
  void SetUp() override {
    audio = kel::AudioEngine::createInstance(kel::OutputMode::Silent);
    audio->setSoundFolders(sounds.file("sfx"), sounds.file("music"));
    audio->setNextMusicScheduler(&next);
    audiotest::writeTone(sounds, std::string("music/") + kel::kMenuTrack + ".mp3", 5.0);
    StartViewTest::SetUp();
  }
  void TearDown() override {
    StartViewTest::TearDown();
    kel::AudioEngine::destroyInstance();
  }
  bool menuMusicPlays() { return audio->music.channel.isPlaying(); }

  testsupport::TempDir sounds;
  kel::AudioEngine* audio = nullptr;
  audiotest::FakeNextMusic next;
};

TEST_F(StartViewMusicTest, TheStartViewPlaysTheMenuMusicUntilTheGameTakesOver) {
  EXPECT_TRUE(menuMusicPlays()) << "the start view came up";
  MenuGameScreen screen;
  screen.showLoading(GameScreen::kNoText);
  EXPECT_FALSE(menuMusicPlays()) << "leaving it for the world's loading stops it";
  gameViews()->switchTo(ViewId::Start);
  EXPECT_TRUE(menuMusicPlays()) << "back at the start view";
  EXPECT_GE(next.cancelled, 2) << "a game's next-track check is dropped each time";
}

}  // namespace
