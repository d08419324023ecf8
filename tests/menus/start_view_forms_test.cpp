// The start view's forms: Left and Right step a cycling row's choice both ways, the difficulty
// rows carry the levels' names, and the name entry opens over the row it edits with its caret
// after the name.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/loader/game_tables_loader.h"
#include "content/planets/planet_def.h"
#include "content/tables/difficulty_names.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "menus/menu_saves.h"
#include "menus/menu_views.h"
#include "menus/start_view.h"
#include "platform/desktop_file_system.h"
#include "platform/desktop_platform.h"
#include "platform/screen_layout.h"
#include "platform/settings/settings.h"
#include "tests/support/added_planets.h"
#include "view/overlays/achievement_dialog.h"
#include "saves/launch/local_saves.h"
#include "tests/menus/start_view_fixture.h"
#include "ui/views/game_views.h"
#include "ui/widgets/text_wrap.h"
#include "ui/widgets/ui_draw.h"
#include "tests/support/screen_layout_reset.h"

namespace {

using engine::KeyCode;
using Page = StartView::Page;

class StartViewFormsTest : public menutest::StartViewFixture {
 protected:
  void beforeViews() override {
    testsupport::addPlanetDef("luna", 3, 1);
    engine::Director::getInstance()->designResolutionChanged(engine::Size(1280, 720));
  }
  void TearDown() override {
    StartViewFixture::TearDown();
    resetScreenLayout();
    resetGameTables();
  }
  // The text of the row that begins with the prefix, selected; empty when none does.
  std::string selectRow(const std::string& prefix) {
    const auto& rows = start().list().rows();
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].text.rfind(prefix, 0) != 0) continue;
      start().list().select(static_cast<int>(i));
      return rows[i].text;
    }
    return {};
  }
  std::string press(KeyCode key, const std::string& prefix) {
    start().keyEvent(key, false);
    start().keyEvent(key, true);
    return selectRow(prefix);
  }
};

TEST_F(StartViewFormsTest, LeftAndRightStepTheNewWorldsChoicesBothWays) {
  start().showPage(Page::NewWorld);
  EXPECT_EQ(selectRow("Planet: "), "Planet: terra");
  EXPECT_EQ(press(KeyCode::LEFT_ARROW, "Planet: "), "Planet: luna") << "back from the first wraps to the last";
  EXPECT_EQ(press(KeyCode::RIGHT_ARROW, "Planet: "), "Planet: terra");
  EXPECT_EQ(press(KeyCode::RIGHT_ARROW, "Planet: "), "Planet: mars");
  EXPECT_EQ(start().newWorld().planet, 1u);

  selectRow("Mode: ");
  EXPECT_EQ(press(KeyCode::LEFT_ARROW, "Mode: "), std::string("Mode: ") + kWorldModeNames[kWorldModeCount - 1]);
  EXPECT_EQ(press(KeyCode::RIGHT_ARROW, "Mode: "), std::string("Mode: ") + kWorldModeNames[0]);
  // Enter still steps forward.
  EXPECT_TRUE(start().choose("Mode: Survival"));
  EXPECT_EQ(start().newWorld().mode, 1);

  selectRow("Size: ");
  const uint8_t size = start().newWorld().size;
  press(KeyCode::LEFT_ARROW, "Size: ");
  press(KeyCode::RIGHT_ARROW, "Size: ");
  EXPECT_EQ(start().newWorld().size, size);

  // A row that cycles nothing leaves Left and Right alone.
  selectRow("Create");
  press(KeyCode::RIGHT_ARROW, "Create");
  EXPECT_EQ(start().page(), Page::NewWorld);
}

TEST_F(StartViewFormsTest, TheDifficultyRowNamesTheLevelAndStepsBothWays) {
  GameTables tables;
  tables.difficulties.resize(5);
  setGameTables(std::move(tables));
  start().showPage(Page::NewCharacter);
  EXPECT_EQ(selectRow("Difficulty: "), "Difficulty: Normal") << "a new character starts at level 2";
  EXPECT_EQ(press(KeyCode::LEFT_ARROW, "Difficulty: "), "Difficulty: Easy");
  EXPECT_EQ(press(KeyCode::LEFT_ARROW, "Difficulty: "), "Difficulty: Peaceful");
  EXPECT_EQ(press(KeyCode::LEFT_ARROW, "Difficulty: "), "Difficulty: Hardcore") << "and round to the hardest";
  EXPECT_EQ(press(KeyCode::RIGHT_ARROW, "Difficulty: "), "Difficulty: Peaceful");
  EXPECT_EQ(difficultyName(3), "Hard");
  EXPECT_EQ(difficultyName(4), "Hardcore");
  EXPECT_EQ(difficultyName(7), "Level 7");
}

TEST_F(StartViewFormsTest, TheNameEntryOpensOverItsRowWithTheCaretAfterTheName) {
  start().showPage(Page::NewCharacter);
  ASSERT_EQ(selectRow("Name: "), "Name: Player");
  const engine::Rect row = start().list().rowRect(start().list().selected());
  ASSERT_GT(row.size.width, 0.0f);
  ASSERT_TRUE(start().choose("Name: Player"));
  TextEntry& entry = start().nameEntry();
  EXPECT_EQ(entry.position(), row.origin) << "the field sits on the row it edits";
  EXPECT_EQ(entry.shownText(), "Player");
  const float caret = entry.caretX();
  EXPECT_GT(caret, row.getMinX() + textWidth("Player", kFontSmall));
  EXPECT_LT(caret, row.getMinX() + textWidth("Player", kFontSmall) + 16.0f) << "right after the name";
  entry.submit("Bo");
  EXPECT_LT(entry.caretX(), caret) << "a shorter name brings the caret back";
}

TEST_F(StartViewFormsTest, EnterOnAFormsFieldMovesOnToTheNextRowAndARenameStaysPut) {
  auto selectedText = [this] {
    return start().list().rows()[static_cast<size_t>(start().list().selected())].text;
  };
  start().showPage(Page::NewCharacter);
  ASSERT_TRUE(start().choose("Name: Player"));
  start().nameEntry().submit("Bo");
  EXPECT_FALSE(start().nameEntry().isListening());
  EXPECT_EQ(selectedText().rfind("Difficulty: ", 0), 0u) << "a newcomer goes on to the difficulty";
  EXPECT_TRUE(hasRow("Name: Bo"));
  // Enter again works the row now selected, not the name field.
  start().keyEvent(KeyCode::ENTER, false);
  start().keyEvent(KeyCode::ENTER, true);
  EXPECT_FALSE(start().nameEntry().isListening());

  start().showPage(Page::NewWorld);
  ASSERT_EQ(selectRow("Name: "), "Name: (next free)");
  ASSERT_TRUE(start().choose("Name: (next free)"));
  start().nameEntry().escape();
  EXPECT_EQ(selectedText(), "Name: (next free)") << "Escape leaves the field where it was";
  ASSERT_TRUE(start().choose("Name: (next free)"));
  start().nameEntry().submit("Moor");
  EXPECT_EQ(selectedText().rfind("Planet: ", 0), 0u);

  ASSERT_TRUE(start().createCharacter("Cy", 0));
  start().showPage(Page::Characters);
  ASSERT_TRUE(start().choose("Rename Cy"));
  start().nameEntry().submit("Di");
  EXPECT_EQ(selectedText(), "Rename Di") << "a rename is done, not a step of a form";
}

TEST_F(StartViewFormsTest, TheInterfaceScaleScalesTheMenusAndTheTitleStaysUnderTheBanner) {
  screenLayout().uiScale = 2.0005f;  // what the menus are made for
  start().showPage(Page::NewWorld);
  const engine::Rect atTwo = start().list().rowRect(0);
  EXPECT_FLOAT_EQ(start().scale(), 1.0f);
  screenLayout().uiScale = 4.0005f;
  start().layOut();
  const engine::Rect atFour = start().list().rowRect(0);
  EXPECT_FLOAT_EQ(start().scale(), 2.0f);
  EXPECT_NEAR(atFour.size.height, 2 * atTwo.size.height, 2.0f) << "rows twice as tall";
  EXPECT_NEAR(atFour.size.width, 2 * atTwo.size.width, 1.0f) << "and twice as wide";
  EXPECT_NEAR(atFour.getMinX() + atFour.size.width / 2, 640.0f, 1.0f);
  // The title and its lines stand below where an achievement's banner slides in.
  const float titleTop = start().textsFoot() + (50.0f + 24.0f * static_cast<float>(start().shownLines().size())) * 2;
  EXPECT_LE(titleTop, 720.0f - AchievementDialog::shownHeight());
  screenLayout().uiScale = 1.0005f;
  start().layOut();
  EXPECT_FLOAT_EQ(start().scale(), 0.5f);
  EXPECT_NEAR(start().list().rowRect(0).size.height, atTwo.size.height / 2, 1.0f);
}

}  // namespace
