#pragma once
// The collection book, a part of the craft book: its index lists the pages (all fish, all blocks,
// the fancy clothes ...) with how much of each the player has met; a page lists everything of its
// kind, each met entry with its icon and what the statistics say of it, the others unnamed.
// The pages belong to the game's launch, which hands them over once built.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "ui/widgets/menu_list.h"

namespace stats {
class Collection;
}

class BookCollections {
 public:
  using Pages = std::vector<std::unique_ptr<stats::Collection>>;
  static constexpr const char* kRow = "Collections";
  static constexpr const char* kUnmet = "? (not met yet)";
  static constexpr size_t kIndex = static_cast<size_t>(-1);

  // Borrowed; they outlive the views (null: the book has no collections).
  void setPages(const Pages* pages) { pages_ = pages; }
  size_t pageCount() const { return pages_ != nullptr ? pages_->size() : 0; }
  // kIndex for the index of pages.
  size_t shown() const { return shown_; }
  // Rebuilds the page (what exists may have changed since) before it shows.
  void show(size_t page);

  // `open` shows a page (kIndex: the index) in the book; `back` leaves the collections.
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows,
            const std::function<void(size_t)>& open, const std::function<void()>& back);
  // The row a page opens at: its first met entry, so what the player found is in sight.
  int firstMetRow() const;

 private:
  void fillIndex(std::string& title, std::vector<MenuList::Row>& rows, const std::function<void(size_t)>& open);
  void fillPage(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);

  const Pages* pages_ = nullptr;
  size_t shown_ = kIndex;
};
