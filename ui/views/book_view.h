#pragma once
// The craft book. It pages through a range of the book entries the language file filled; the
// content start-up hands it that range.

#include <cstddef>

#include "ui/views/game_view.h"

struct BookEntry;

class BookView final : public GameView {
 public:
  BookView() : GameView(ViewId::Book) {}

  // A range whose end lies before its begin is taken as empty.
  void setPages(const BookEntry* begin, const BookEntry* end);
  const BookEntry* pagesBegin() const { return begin_; }
  const BookEntry* pagesEnd() const { return end_; }
  size_t pageCount() const;

 private:
  const BookEntry* begin_ = nullptr;
  const BookEntry* end_ = nullptr;
};
