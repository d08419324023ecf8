// The craft book's own pages: the search keeps the entries whose names hold the typed text (any
// case) and ends on Escape without closing the book; the chemistry pages narrow to a category or to
// what a search finds; the collection book lists its pages, opens a page at its first met entry
// and marks only the met ones; a newly learned entry's notice comes over the view it was learned
// in and OK returns there; and a station opens the book on its list, a learned recipe at its page.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/texts/language_texts.h"
#include "game/collections/collection.h"
#include "game/stats/stats_store.h"
#include "tests/ui/play_fixture.h"
#include "ui/ui_player_events.h"
#include "ui/views/book_view.h"
#include "ui/views/dialog_view.h"
#include "ui/views/inventory_view.h"

namespace {

// A page of three entries of which the middle one is met.
class ThreeEntries final : public stats::Collection {
 public:
  explicit ThreeEntries(const StatsStore& store) : Collection(store, "Things", 5) {}
  void rebuild() override { ++rebuilds; }
  size_t count() const override { return 3; }
  uint16_t iconNode(size_t i) const override { return static_cast<uint16_t>(10 + i); }
  std::string tooltip(size_t i) const override { return "Thing " + std::to_string(i) + "\nfound 2 times"; }
  bool discovered(size_t i) const override { return i == 1; }
  int rebuilds = 0;
};

class BookPagesTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
    entries_.resize(3);
    entries_[0].name = "Wooden Doors";
    entries_[1].name = "Anvils";
    entries_[2].name = "Driftwood";
    book().setPages(entries_.data(), entries_.data() + entries_.size());
  }
  void TearDown() override {
    book().setPages(nullptr, nullptr);
    book().setCollections(nullptr);
    PlayTest::TearDown();
  }
  BookView& book() { return views().bookView(); }
  std::vector<std::string> rowTexts() {
    std::vector<std::string> texts;
    for (const MenuList::Row& row : book().list().rows()) texts.push_back(row.text);
    return texts;
  }

  std::vector<BookEntry> entries_;
};

TEST_F(BookPagesTest, TheSearchKeepsTheEntriesHoldingTheTextInAnyCase) {
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose(BookView::kSearchRow));
  EXPECT_TRUE(book().search().isListening());
  book().search().setText("WOOD");
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Search: WOOD_", "Wooden Doors", "Driftwood", BookChemistry::kRow,
                                                  BookCollections::kRow, BookView::kLearnedRow}));
  EXPECT_EQ(book().lines().end()[-2], "2 of 3 entries found");
  EXPECT_EQ(book().lines().back(), "0 recipes found");
  // Choosing an entry ends the search; the list keeps it when the entry is left.
  ASSERT_TRUE(book().choose("Driftwood"));
  EXPECT_FALSE(book().search().isListening());
  book().back();
  EXPECT_EQ(rowTexts()[0], "Search: WOOD");
  EXPECT_EQ(views().currentId(), ViewId::Book);
  views().pop();
  views().push(ViewId::Book);
  EXPECT_EQ(rowTexts()[0], "Search: ") << "a closed book forgets its search";
}

TEST_F(BookPagesTest, TheSearchFindsARecipeByItsResultOrIngredientAndOpensItsPage) {
  entries_[1].pages = {{"Anvils", "Forges metal tools.\n\nMade at: Workbench.\nAnvil: 5 Iron Bar"},
                       {"Anvil Recipes", "Iron Sword: 2 Iron Bar, 1 Stick\nIron Pickaxe: 3 Iron Bar, 2 Stick"}};
  entries_[2].pages = {{"Driftwood", "Wooden Pickaxe: 3 Oak Planks, 2 Stick"}};
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose(BookView::kSearchRow));
  book().search().setText("pickaxe");
  const std::string iron = "Iron Pickaxe: 3 Iron Bar, 2 Stick (Anvils)";
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Search: pickaxe_", iron, "Wooden Pickaxe: 3 Oak Planks, 2 Stick (Driftwood)",
                                                  BookChemistry::kRow, BookCollections::kRow, BookView::kLearnedRow}));
  EXPECT_EQ(book().lines().back(), "2 recipes found");
  book().search().setText("iron bar");
  EXPECT_EQ(book().lines().back(), "3 recipes found") << "an ingredient finds the recipes it goes into";

  book().search().setText("pickaxe");
  ASSERT_TRUE(book().choose(iron));
  EXPECT_EQ(book().shownEntry(), 1);
  EXPECT_EQ(book().shownPage(), 1u) << "the recipe's own page";
  book().back();
  ASSERT_EQ(book().shownEntry(), -1);
  EXPECT_EQ(rowTexts()[static_cast<size_t>(book().list().selected())], iron) << "back where the player was";
  // A recipe further down, whose page has fewer rows than the list above it.
  const std::string wooden = "Wooden Pickaxe: 3 Oak Planks, 2 Stick (Driftwood)";
  ASSERT_TRUE(book().choose(wooden));
  EXPECT_EQ(book().shownEntry(), 2);
  book().back();
  EXPECT_EQ(rowTexts()[static_cast<size_t>(book().list().selected())], wooden) << "back where the player was";
}

TEST_F(BookPagesTest, BackFromTheChemistryPagesLandsOnTheirRow) {
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose(BookChemistry::kRow));
  ASSERT_EQ(book().shownEntry(), BookView::kChemistry);
  book().back();
  ASSERT_EQ(book().shownEntry(), -1);
  EXPECT_EQ(rowTexts()[static_cast<size_t>(book().list().selected())], BookChemistry::kRow);
}

TEST_F(BookPagesTest, TheChemistryPagesNarrowToACategoryOrToASearch) {
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose(BookChemistry::kRow));
  ASSERT_EQ(book().shownEntry(), BookView::kChemistry);
  // Back, the search, the category, then the potions.
  const size_t every = book().list().rows().size();
  EXPECT_EQ(book().lines()[0], std::to_string(every - 3) + " potions");
  book().list().select(2);
  book().keyEvent(engine::KeyCode::RIGHT_ARROW, false);
  EXPECT_EQ(book().list().rows()[2].text, std::string(BookChemistry::kCategoryRow) + "Offensive");
  const size_t offensive = book().list().rows().size();
  EXPECT_LT(offensive, every);
  EXPECT_GT(offensive, 3u);
  for (size_t i = 3; i < offensive; ++i) {
    EXPECT_EQ(book().list().rows()[i].icon.atlas, MenuList::Row::Icon::Item) << book().list().rows()[i].text;
  }
  ASSERT_TRUE(book().choose(BookView::kSearchRow));
  book().search().setText("zzzz no potion");
  EXPECT_EQ(book().list().rows().size(), 2u) << "a search finds nothing of that, in any category";
  EXPECT_EQ(book().lines()[0], "0 potions found");
}

TEST_F(BookPagesTest, TheCollectionBookOpensAPageAtItsFirstMetEntry) {
  std::vector<std::unique_ptr<stats::Collection>> pages;
  pages.push_back(std::make_unique<ThreeEntries>(statsStore()));
  auto* page = static_cast<ThreeEntries*>(pages[0].get());
  book().setCollections(&pages);
  views().push(ViewId::Book);
  ASSERT_TRUE(book().choose(BookCollections::kRow));
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Back", "Things (1/3)"}));
  EXPECT_EQ(book().list().rows()[1].icon.id, 5);
  const int rebuilt = page->rebuilds;
  ASSERT_TRUE(book().choose("Things (1/3)"));
  EXPECT_GT(page->rebuilds, rebuilt) << "a page is rebuilt before it shows";
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Back", BookCollections::kUnmet, "Thing 1, found 2 times",
                                                  BookCollections::kUnmet}));
  EXPECT_EQ(book().list().selected(), 2);
  EXPECT_EQ(book().list().rows()[2].icon.id, 11);
  EXPECT_EQ(book().list().rows()[1].icon.atlas, MenuList::Row::Icon::None) << "an unmet entry shows nothing of itself";
  book().back();
  EXPECT_EQ(book().collections().shown(), BookCollections::kIndex) << "Escape from a page goes to the index";
  book().back();
  EXPECT_EQ(book().shownEntry(), -1);
}

TEST_F(BookPagesTest, ALearnedEntrysNoticeComesOverTheViewItWasLearnedInAndOKGoesBack) {
  UiPlayerEvents interfaceEvents;
  views().push(ViewId::Inventory);
  interfaceEvents.noticeDialog("Anvils");
  ASSERT_EQ(views().currentId(), ViewId::Dialog);
  auto& dialog = static_cast<DialogView&>(views().view(ViewId::Dialog));
  EXPECT_EQ(dialog.title(), "Notice");
  EXPECT_EQ(dialog.lines(), (std::vector<std::string>{"Anvils"}));
  interfaceEvents.noticeDialog("Looms");
  EXPECT_EQ(dialog.lines(), (std::vector<std::string>{"Looms"})) << "a second notice takes the open one's place";
  ASSERT_TRUE(dialog.choose("OK"));
  EXPECT_EQ(views().currentId(), ViewId::Inventory);
}

// A book last left at an entry opens at a station on its list, with the station's row first; the
// fields a learned recipe gives open it at that entry's page.
TEST_F(BookPagesTest, AStationOpensTheBookOnItsListAndALearnedRecipeAtItsPage) {
  entries_[1].pages = {{"Anvils", "How to make an anvil."}, {"Anvil Recipes", "Anvil: 5 Iron Bar"}};
  UiPlayerEvents interfaceEvents;
  views().push(ViewId::Book);
  book().showEntry(1);
  views().popToMainView();
  BookViewFields station;
  station.category = 1;
  interfaceEvents.bookView(station);
  ASSERT_EQ(views().currentId(), ViewId::Book);
  EXPECT_EQ(book().shownEntry(), -1);
  ASSERT_FALSE(rowTexts().empty());
  EXPECT_EQ(rowTexts().front(), BookView::kCraftHere);
  views().popToMainView();
  BookViewFields recipe;
  recipe.selection = 1;
  recipe.page = 1;
  interfaceEvents.bookView(recipe);
  EXPECT_EQ(book().shownEntry(), 1);
  EXPECT_EQ(book().shownPage(), 1u);
  EXPECT_EQ(book().title(), "Anvils");
}

}  // namespace
