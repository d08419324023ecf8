#include "ui/views/book_view.h"

#include "content/texts/language_texts.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "world/rules/game.h"

void BookView::setPages(const BookEntry* begin, const BookEntry* end) {
  begin_ = begin;
  end_ = (begin == nullptr || end == nullptr || end < begin) ? begin : end;
  shown_ = -1;
}

size_t BookView::pageCount() const { return static_cast<size_t>(end_ - begin_); }

void BookView::showEntry(int index) {
  shown_ = index >= 0 && static_cast<size_t>(index) < pageCount() ? index : -1;
  refresh();
}

void BookView::enter() {
  currentGame().pause();
  ListView::enter();
}

void BookView::exit() {
  ListView::exit();
  fields_ = BookViewFields{};
  currentGame().unpause();
}

void BookView::back() {
  if (shown_ >= 0) {
    showEntry(-1);
    return;
  }
  ListView::back();
}

void BookView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  if (shown_ >= 0) {
    const BookEntry& entry = begin_[shown_];
    title = entry.name;
    for (const BookPage& page : entry.pages) {
      if (!page.title.empty()) lines.push_back(page.title);
      if (!page.text.empty()) lines.push_back(page.text.substr(0, 90));
    }
    rows.push_back({"Back", [this] { back(); }});
    return;
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
  if (pageCount() == 0) lines.push_back("The book has no entries.");
  for (size_t i = 0; i < pageCount(); ++i) {
    rows.push_back({begin_[i].name, [this, i] { showEntry(static_cast<int>(i)); }});
  }
}
