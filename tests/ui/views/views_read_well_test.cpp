// Views that read well: a covered view leaves the screen while the main view stays under the
// views stacked on it; lists end above the HUD's quick bar and scroll to their selection; the craft
// book shows an entry one page at a time, wrapped in the list's column, and lists the entries the
// character learned; the death view says what killed the player and whether anything was lost.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content/texts/language_texts.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "game/crafting/craft_book.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/inventory/inventory.h"
#include "tests/ui/play_fixture.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/book_view.h"
#include "ui/views/death_view.h"
#include "ui/views/list_view.h"
#include "ui/views/main_view.h"
#include "ui/widgets/text_wrap.h"
#include "ui/widgets/ui_draw.h"

namespace {

using engine::KeyCode;

class ViewsReadWellTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    engine::Director::getInstance()->designResolutionChanged(engine::Size(1280, 720));
    views().switchTo(ViewId::Main);
  }
  void TearDown() override {
    installCraftBookEntries({});
    PlayTest::TearDown();
  }
  ListView& list(ViewId id) { return dynamic_cast<ListView&>(views().view(id)); }
  BookView& book() { return views().bookView(); }
  static bool shown(const GameView& view) { return view.root()->isVisible(); }
  static std::vector<std::string> rowTexts(ListView& view) {
    std::vector<std::string> texts;
    for (const MenuList::Row& row : view.list().rows()) texts.push_back(row.text);
    return texts;
  }
  static void escape(ListView& view) {
    view.keyEvent(KeyCode::ESCAPE, false);
    view.keyEvent(KeyCode::ESCAPE, true);
  }
};

TEST_F(ViewsReadWellTest, AStackedViewHidesTheViewBelowButNotTheMainView) {
  views().push(ViewId::Pause);
  EXPECT_TRUE(shown(views().mainView())) << "the world and the HUD stay under the pause view";
  list(ViewId::Pause).choose("Achievements");
  ASSERT_EQ(views().currentId(), ViewId::Achievements);
  EXPECT_FALSE(shown(views().view(ViewId::Pause)));
  EXPECT_TRUE(shown(views().view(ViewId::Achievements)));

  escape(list(ViewId::Achievements));
  ASSERT_EQ(views().currentId(), ViewId::Pause);
  EXPECT_TRUE(shown(views().view(ViewId::Pause))) << "uncovered, the pause view shows again";

  list(ViewId::Pause).choose("Help");
  EXPECT_FALSE(shown(views().view(ViewId::Pause)));
  views().popToMainView();
  views().push(ViewId::Pause);
  EXPECT_TRUE(shown(views().view(ViewId::Pause))) << "entered anew, a view is shown";
}

TEST_F(ViewsReadWellTest, AListEndsAboveTheQuickBarAndScrollsToItsSelection) {
  views().push(ViewId::Pause);
  list(ViewId::Pause).choose("Achievements");
  MenuList& rows = list(ViewId::Achievements).list();
  ASSERT_GT(rows.rows().size(), 20u);
  const float barTop = QuickSlots::barTop();
  int lowest = rows.firstShown();
  while (rows.rowRect(lowest + 1).size.width > 0) ++lowest;
  EXPECT_GT(rows.rowRect(lowest).getMinY(), barTop) << "the lowest shown row stays above the quick bar";
  EXPECT_LT(rows.rowRect(lowest).getMinY() - barTop, 40.0f) << "and uses the room down to it";

  const int last = static_cast<int>(rows.rows().size()) - 1;
  rows.move(-1);  // wraps to the last row
  EXPECT_EQ(rows.selected(), last);
  EXPECT_GT(rows.firstShown(), 0);
  EXPECT_GT(rows.rowRect(last).size.width, 0.0f) << "the selection is scrolled into sight";
  EXPECT_GT(rows.rowRect(last).getMinY(), barTop);
  list(ViewId::Achievements).wheel(1.0f);
  EXPECT_EQ(rows.selected(), 0) << "the wheel turned towards the player moves down, wrapping";
  EXPECT_EQ(rows.firstShown(), 0);
}

TEST_F(ViewsReadWellTest, TheBookShowsAnEntryOnePageAtATimeWrappedInsideTheListsColumn) {
  std::vector<BookEntry> entries(1);
  entries[0].name = "Stations";
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += "word" + std::to_string(i) + " ";
  entries[0].pages = {{"First", "Short text."}, {"Second", longText}, {"Third", "Line one\nLine two"}};
  book().setPages(entries.data(), entries.data() + entries.size());
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose("Stations"));
  EXPECT_EQ(book().title(), "Stations");
  EXPECT_EQ(book().lines(), (std::vector<std::string>{"First (1/3)", "Short text."}));
  EXPECT_EQ(rowTexts(book()), (std::vector<std::string>{BookView::kNextPage, "Back"}));

  ASSERT_TRUE(book().choose(BookView::kNextPage));
  EXPECT_EQ(book().shownPage(), 1u);
  EXPECT_EQ(rowTexts(book()), (std::vector<std::string>{BookView::kNextPage, BookView::kPreviousPage, "Back"}));
  // The long text is wrapped to the column and cut where the rows begin.
  const std::vector<std::string>& shownLines = book().shownLines();
  ASSERT_GT(shownLines.size(), 3u);
  const engine::Rect firstRow = book().list().rowRect(0);
  for (const std::string& line : shownLines) EXPECT_LE(textWidth(line, kFontSmall), firstRow.size.width) << line;
  EXPECT_EQ(shownLines.back(), "...");
  const float linesBottom = 720.0f - 40.0f - 50.0f - 24.0f * static_cast<float>(shownLines.size());
  EXPECT_LE(firstRow.getMaxY(), linesBottom) << "the rows begin under the last line";
  EXPECT_GT(book().list().rowRect(2).getMinY(), QuickSlots::barTop()) << "Back stays in sight";

  ASSERT_TRUE(book().choose(BookView::kNextPage));
  EXPECT_EQ(book().shownLines(), (std::vector<std::string>{"Third (3/3)", "Line one", "Line two"}));
  EXPECT_EQ(rowTexts(book()), (std::vector<std::string>{BookView::kPreviousPage, "Back"}));

  escape(book());
  EXPECT_EQ(book().shownEntry(), -1) << "Escape from an entry goes back to the list";
  EXPECT_EQ(views().currentId(), ViewId::Book);
}

TEST_F(ViewsReadWellTest, TheBookListsTheCraftBookEntriesTheCharacterLearned) {
  installCraftBookEntries({{"Anvil", 0, ""}, {"Loom", 0, ""}, {"Forge", 1, ""}});
  local->knowledge->known[0] = 0b110;  // entries 1 and 2
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose(BookView::kLearnedRow));
  EXPECT_EQ(book().shownEntry(), BookView::kLearned);
  EXPECT_EQ(book().lines(), (std::vector<std::string>{"2 of 3 entries learned"}));
  EXPECT_EQ(rowTexts(book()), (std::vector<std::string>{"Back", "Loom", "Forge"}));
  ASSERT_TRUE(book().choose("Back"));
  EXPECT_EQ(book().shownEntry(), -1);
}

TEST_F(ViewsReadWellTest, TheDeathViewSaysWhatKilledThePlayerAndWhetherAnythingWasLost) {
  local->setNextHurtSource("Zombie");
  local->takeDamage(100.0f, 0);
  local->setNextHurtSource({});
  views().switchTo(ViewId::Death);
  EXPECT_EQ(list(ViewId::Death).lines(), (std::vector<std::string>{"Killed by Zombie.", DeathView::kNothingLost}));
  views().switchTo(ViewId::Main);

  // A difficulty that drops the backpack takes what it holds.
  difficulty.bytes[content::difficulty_record::dropsBackpack] = 1;
  local->inventory->setSlot({SlotKind::Backpack, 1, 1}, ItemPtr(game_test::makeItem(game_test::kStone, 3)));
  local->takeDamage(100.0f, 24);
  views().switchTo(ViewId::Death);
  EXPECT_EQ(local->inventory->slotItem({SlotKind::Backpack, 1, 1}), nullptr);
  EXPECT_EQ(list(ViewId::Death).lines(), (std::vector<std::string>{"You fell to your death.", DeathView::kItemsLeft}));
}

TEST_F(ViewsReadWellTest, EachDamageKindNamesItsCause) {
  EXPECT_EQ(DeathView::causeLine(21, ""), "You drowned.");
  EXPECT_EQ(DeathView::causeLine(22, ""), "You burned to death.");
  EXPECT_EQ(DeathView::causeLine(23, ""), "You dissolved in acid.");
  EXPECT_EQ(DeathView::causeLine(20, ""), "You were blown up.");
  EXPECT_EQ(DeathView::causeLine(2, ""), "You were slain.");
  EXPECT_EQ(DeathView::causeLine(2, "Spider"), "Killed by Spider.");
}

}  // namespace
