#include "ui/views/book_collections.h"

#include <algorithm>

#include "game/collections/collection.h"

namespace {

constexpr size_t kHeadRows = 1;  // "Back" above a page's entries

size_t metCount(const stats::Collection& page) {
  size_t met = 0;
  for (size_t i = 0; i < page.count(); ++i) met += page.discovered(i);
  return met;
}

// The tooltip's lines on one row.
std::string oneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ',');
  size_t at = 0;
  while ((at = text.find(',', at)) != std::string::npos) text.insert(++at, " ");
  return text;
}

}  // namespace

void BookCollections::show(size_t page) {
  shown_ = page < pageCount() ? page : kIndex;
  if (shown_ != kIndex) (*pages_)[shown_]->rebuild();
}

void BookCollections::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows,
                           const std::function<void(size_t)>& open, const std::function<void()>& back) {
  rows.push_back({"Back", [this, open, back] {
                    if (shown_ == kIndex) {
                      back();
                    } else {
                      open(kIndex);
                    }
                  }});
  if (shown_ == kIndex) {
    fillIndex(title, rows, open);
    if (pageCount() == 0) lines.push_back("The book has no collections.");
    return;
  }
  fillPage(title, lines, rows);
}

void BookCollections::fillIndex(std::string& title, std::vector<MenuList::Row>& rows,
                                const std::function<void(size_t)>& open) {
  title = kRow;
  for (size_t i = 0; i < pageCount(); ++i) {
    stats::Collection& page = *(*pages_)[i];
    page.rebuild();
    const std::string text =
        page.title() + " (" + std::to_string(metCount(page)) + "/" + std::to_string(page.count()) + ")";
    rows.push_back(MenuList::withItemIcon(text, page.iconItem(), [open, i] { open(i); }));
  }
}

void BookCollections::fillPage(std::string& title, std::vector<std::string>& lines,
                               std::vector<MenuList::Row>& rows) {
  const stats::Collection& page = *(*pages_)[shown_];
  title = page.title();
  lines.push_back(std::to_string(metCount(page)) + " of " + std::to_string(page.count()) + " met");
  for (size_t i = 0; i < page.count(); ++i) {
    if (page.discovered(i)) {
      rows.push_back(MenuList::withItemIcon(oneLine(page.tooltip(i)), page.iconNode(i)));
    } else {
      rows.push_back({kUnmet, nullptr});
    }
  }
}

int BookCollections::firstMetRow() const {
  if (shown_ == kIndex) return 0;
  const stats::Collection& page = *(*pages_)[shown_];
  for (size_t i = 0; i < page.count(); ++i) {
    if (page.discovered(i)) return static_cast<int>(i + kHeadRows);
  }
  return 0;
}
