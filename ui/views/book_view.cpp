#include "ui/views/book_view.h"

#include "content/texts/language_texts.h"

void BookView::setPages(const BookEntry* begin, const BookEntry* end) {
  begin_ = begin;
  end_ = (begin == nullptr || end == nullptr || end < begin) ? begin : end;
}

size_t BookView::pageCount() const { return static_cast<size_t>(end_ - begin_); }
