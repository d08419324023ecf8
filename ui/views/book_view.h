#pragma once
// The craft book. It pages through a range of the book entries the language file filled; the
// content start-up hands it that range. The list shows the entries; choosing one shows its pages,
// one at a time, each with its icon. A search row filters the entries (and the potions) by what the
// player types, and lists the recipes whose result or ingredients hold it. Other rows list the
// craft book entries the player has learned, the chemistry pages and the collection book.
// Opened at a crafting station (its fields name the station's kind), it first offers the
// inventory's crafting page for that station.
// The game's ordinary timers are paused while it is current.

#include <cstddef>
#include <cstdint>

#include "game/player/player_events.h"
#include "ui/views/book_chemistry.h"
#include "ui/views/book_collections.h"
#include "ui/views/list_view.h"
#include "ui/widgets/search_field.h"

struct BookEntry;

class BookView final : public ListView {
 public:
  static constexpr const char* kCraftHere = "Craft at this station";
  static constexpr const char* kLearnedRow = "Learned entries";
  static constexpr const char* kNextPage = "Next page";
  static constexpr const char* kPreviousPage = "Previous page";
  static constexpr const char* kSearchRow = "Search: ";
  // shownEntry() while the learned entries, the chemistry pages or the collections are listed
  static constexpr int kLearned = -2, kChemistry = -3, kCollections = -4;

  BookView() : ListView(ViewId::Book) {}

  // A range whose end lies before its begin is taken as empty.
  void setPages(const BookEntry* begin, const BookEntry* end);
  const BookEntry* pagesBegin() const { return begin_; }
  const BookEntry* pagesEnd() const { return end_; }
  size_t pageCount() const;
  // The fields that open the book at the page telling of a craft book entry's recipes; the list
  // when the book tells nothing of it.
  BookViewFields fieldsForCraftEntry(uint16_t craftEntry) const;

  // What block use sets before the book opens at a station, or a learned recipe before the book
  // opens at its page (the selection names the entry, the page its page).
  void setFields(const BookViewFields& fields) { fields_ = fields; }
  const BookViewFields& fields() const { return fields_; }
  // The entry shown; -1 for the list of entries, kLearned for the learned ones.
  int shownEntry() const { return shown_; }
  // Shows the entry's first page; an index out of range shows the list.
  void showEntry(int index);
  void showLearned();
  void showChemistry();
  // The collection book's index, or (given) one of its pages.
  void showCollections(size_t page = BookCollections::kIndex);
  // The collection book's pages, which the game's launch builds.
  void setCollections(const BookCollections::Pages* pages) { collections_.setPages(pages); }
  const BookCollections& collections() const { return collections_; }
  // What the search row holds; the list shows only the entries whose names hold it.
  SearchField& search() { return search_; }
  // The page of the shown entry.
  size_t shownPage() const { return page_; }
  void showPage(size_t page);

  void enter() override;
  void exit() override;
  // Escape from an entry goes back to the list.
  void back() override;

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  void fillEntry(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillLearned(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillList(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  // Shows a mode of the book from its first row.
  void showMode(int mode);
  // Leaving the list keeps the row chosen, which the list shows again when it comes back.
  void keepListRow();
  void toggleSearch();
  // The search row, on the list of entries and on the chemistry pages.
  MenuList::Row searchRow();

  const BookEntry* begin_ = nullptr;
  const BookEntry* end_ = nullptr;
  BookViewFields fields_;
  int shown_ = -1;
  int listRow_ = 0;
  size_t page_ = 0;
  SearchField search_;
  BookChemistry chemistry_;
  BookCollections collections_;
};
