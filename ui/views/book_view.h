#pragma once
// The craft book. It pages through a range of the book entries the language file filled; the
// content start-up hands it that range. The list shows the entries; choosing one shows its pages,
// one at a time. Another row lists the craft book entries the player has learned.
// Opened at a crafting station (its fields name the station's kind), it first offers the
// inventory's crafting page for that station.
// The game's ordinary timers are paused while it is current.

#include <cstddef>
#include <cstdint>

#include "game/player/player_events.h"
#include "ui/views/list_view.h"

struct BookEntry;

class BookView final : public ListView {
 public:
  static constexpr const char* kCraftHere = "Craft at this station";
  static constexpr const char* kLearnedRow = "Learned entries";
  static constexpr const char* kNextPage = "Next page";
  static constexpr const char* kPreviousPage = "Previous page";
  static constexpr int kLearned = -2;  // shownEntry() while the learned entries are listed

  BookView() : ListView(ViewId::Book) {}

  // A range whose end lies before its begin is taken as empty.
  void setPages(const BookEntry* begin, const BookEntry* end);
  const BookEntry* pagesBegin() const { return begin_; }
  const BookEntry* pagesEnd() const { return end_; }
  size_t pageCount() const;

  // What block use sets before the book opens at a station.
  void setFields(const BookViewFields& fields) { fields_ = fields; }
  const BookViewFields& fields() const { return fields_; }
  // The entry shown; -1 for the list of entries, kLearned for the learned ones.
  int shownEntry() const { return shown_; }
  // Shows the entry's first page; an index out of range shows the list.
  void showEntry(int index);
  void showLearned();
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

  const BookEntry* begin_ = nullptr;
  const BookEntry* end_ = nullptr;
  BookViewFields fields_;
  int shown_ = -1;
  size_t page_ = 0;
};
