#include "ui/views/book_view.h"

#include <algorithm>

#include "content/art/interface_layout.h"
#include "content/texts/language_texts.h"
#include "game/crafting/craft_book.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/player/player_desktop.h"
#include "ui/views/book_recipe_place.h"
#include "ui/views/book_recipe_search.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "world/rules/game.h"

void BookView::setPages(const BookEntry* begin, const BookEntry* end) {
  begin_ = begin;
  end_ = (begin == nullptr || end == nullptr || end < begin) ? begin : end;
  shown_ = -1;
}

size_t BookView::pageCount() const { return static_cast<size_t>(end_ - begin_); }

BookViewFields BookView::fieldsForCraftEntry(uint16_t craftEntry) const {
  const BookPlace place = bookPlaceOfCraftEntry(craftEntry, begin_, end_);
  BookViewFields fields;
  fields.selection = static_cast<int16_t>(place.entry);
  fields.page = static_cast<uint8_t>(std::min<size_t>(place.page, UINT8_MAX));
  return fields;
}

void BookView::showEntry(int index) {
  search_.stop();
  keepListRow();
  shown_ = index >= 0 && static_cast<size_t>(index) < pageCount() ? index : -1;
  page_ = 0;
  refresh();
  // Back on the list, the player is where she was when she left it: chosen once its rows are there,
  // not clamped to the page's few.
  list().select(shown_ == -1 ? listRow_ : 0);
}

void BookView::keepListRow() {
  if (shown_ == -1) listRow_ = list().selected();
}

void BookView::showLearned() { showMode(kLearned); }
void BookView::showChemistry() { showMode(kChemistry); }

void BookView::showCollections(size_t page) {
  collections_.show(page);
  showMode(kCollections);
  list().select(collections_.firstMetRow());
}

void BookView::showMode(int mode) {
  search_.stop();
  keepListRow();
  shown_ = mode;
  page_ = 0;
  list().select(0);
  refresh();
}

void BookView::toggleSearch() {
  if (search_.isListening()) {
    search_.stop();
  } else {
    search_.start([this] { refresh(); });
  }
  refresh();
}

void BookView::showPage(size_t page) {
  if (shown_ < 0) return;
  const size_t count = begin_[shown_].pages.size();
  page_ = count == 0 ? 0 : std::min(page, count - 1);
  list().select(0);
  refresh();
}

void BookView::enter() {
  session().game().pause();
  // Opened at an entry (a recipe just learned), its page shows at once; opened at a station, the
  // list with the station's row first. Opened by its key, the book is where it was left.
  if (fields_.selection >= 0 && static_cast<size_t>(fields_.selection) < pageCount()) {
    search_.stop();
    shown_ = fields_.selection;
    const size_t count = begin_[shown_].pages.size();
    page_ = count == 0 ? 0 : std::min<size_t>(fields_.page, count - 1);
    list().select(0);
  } else if (fields_.category != 0) {
    search_.stop();
    shown_ = -1;
    list().select(0);
  }
  ListView::enter();
}

void BookView::exit() {
  search_.clear();
  ListView::exit();
  fields_ = BookViewFields{};
  listRow_ = 0;
  session().game().unpause();
}

void BookView::back() {
  if (shown_ == kCollections && collections_.shown() != BookCollections::kIndex) {
    showCollections();
    return;
  }
  if (shown_ != -1) {
    showEntry(-1);
    return;
  }
  ListView::back();
}

void BookView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  if (shown_ >= 0) {
    fillEntry(title, lines, rows);
    return;
  }
  const auto redraw = [this] { refresh(); };
  switch (shown_) {
    case kLearned: fillLearned(title, lines, rows); return;
    case kChemistry:
      rows.push_back({"Back", [this] { back(); }});
      rows.push_back(searchRow());
      chemistry_.fill(search_.text(), title, lines, rows, redraw);
      return;
    case kCollections:
      collections_.fill(title, lines, rows, [this](size_t page) { showCollections(page); }, [this] { back(); });
      return;
    default: break;
  }
  title = "Craft book";
  // Opened at a crafting station: its recipes are one choice away.
  if (fields_.category != 0) {
    rows.push_back({kCraftHere, [] {
                      GameViews* views = gameViews();
                      if (views == nullptr) return;
                      views->popToMainView();
                      views->push(ViewId::Inventory);
                      views->inventoryView().setPage(InventoryView::kCrafting);
                    }});
  }
  fillList(lines, rows);
}

MenuList::Row BookView::searchRow() {
  // The caret says the typed keys go to the search; Enter or Escape ends it.
  return {kSearchRow + search_.text() + (search_.isListening() ? "_" : ""), [this] { toggleSearch(); }};
}

void BookView::fillList(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  rows.push_back(searchRow());
  if (pageCount() == 0) lines.push_back("The book has no entries.");
  size_t shown = 0;
  for (size_t i = 0; i < pageCount(); ++i) {
    if (!search_.matches(begin_[i].name)) continue;
    ++shown;
    MenuList::Row row(begin_[i].name, [this, i] { showEntry(static_cast<int>(i)); });
    row.icon = {MenuList::Row::Icon::Interface, art::kBookIconSprite,
                static_cast<uint32_t>(std::clamp(begin_[i].icon, 0, art::kBookIconCount - 1))};
    rows.push_back(std::move(row));
  }
  const std::vector<FoundRecipe> recipes = findRecipes(begin_, end_, search_);
  for (const FoundRecipe& recipe : recipes) {
    rows.push_back({recipe.line + " (" + begin_[recipe.entry].name + ")", [this, recipe] {
                      showEntry(static_cast<int>(recipe.entry));
                      showPage(recipe.page);
                    }});
  }
  if (!search_.text().empty()) {
    lines.push_back(std::to_string(shown) + " of " + std::to_string(pageCount()) + " entries found");
    lines.push_back(std::to_string(recipes.size()) + (recipes.size() == 1 ? " recipe found" : " recipes found"));
  }
  rows.push_back({BookChemistry::kRow, [this] { showChemistry(); }});
  rows.push_back({BookCollections::kRow, [this] { showCollections(); }});
  rows.push_back({kLearnedRow, [this] { showLearned(); }});
}

// One page at a time, so a long entry never runs past the window; its text wraps in the list's
// column.
void BookView::fillEntry(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  const BookEntry& entry = begin_[shown_];
  title = entry.name;
  const size_t count = entry.pages.size();
  if (count == 0) {
    lines.push_back("This entry has no pages.");
  } else {
    const BookPage& page = entry.pages[page_];
    const std::string place = " (" + std::to_string(page_ + 1) + "/" + std::to_string(count) + ")";
    if (!page.title.empty()) lines.push_back(page.title + (count > 1 ? place : ""));
    if (!page.text.empty()) lines.push_back(page.text);
  }
  if (page_ + 1 < count) rows.push_back({kNextPage, [this] { showPage(page_ + 1); }});
  if (page_ > 0) rows.push_back({kPreviousPage, [this] { showPage(page_ - 1); }});
  rows.push_back({"Back", [this] { back(); }});
}

void BookView::fillLearned(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = kLearnedRow;
  rows.push_back({"Back", [this] { back(); }});
  const PlayerDesktopLocal* player = session().player();
  const RecipeKnowledge* knowledge = player != nullptr ? player->knowledge.get() : nullptr;
  const std::vector<CraftBookEntry>& entries = craftBookEntries();
  size_t known = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (knowledge == nullptr || !knowledge->isEntryKnown(static_cast<uint16_t>(i))) continue;
    ++known;
    rows.push_back({entries[i].name, nullptr});
  }
  lines.push_back(std::to_string(known) + " of " + std::to_string(entries.size()) + " entries learned");
}
