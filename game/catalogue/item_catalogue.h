#pragma once
// The creative catalogue: eleven fixed category lists filtered by a planet mask, 36 items a page
// (6 x 6), and the pinned list. One list is current; the inventory's catalogue slots (kind 13)
// read its entries. The category titles are fixed; their source entries are content, handed in
// from the loaded tables. Each game keeps its own (`Game::catalogue`), filtered by its local
// player's planets; main thread only.

#include <array>
#include <cstdint>
#include <vector>

#include "game/catalogue/catalogue_category.h"
#include "game/catalogue/pinned_list.h"

class ItemCatalogue {
 public:
  static constexpr size_t kCategoryCount = 11;
  static constexpr size_t kPageItems = 36;
  static constexpr int kPageSide = 6;
  // The current list when it is the pinned one.
  static constexpr uint32_t kPinnedList = kCategoryCount;

  ItemCatalogue();

  // The source entries of each category, in the categories' order; then rebuilt with `filter`.
  void setSources(std::array<std::vector<CatalogueSource>, kCategoryCount> sources, uint32_t filter);

  // Rebuilds every category with the mask, makes "Addons" current and frees every pinned place.
  void setCatalogueFilter(uint32_t filter);
  // A category index 0-10, or kPinnedList.
  void selectList(uint32_t list);
  uint32_t currentList() const { return current_; }

  // The entry at (column x, row y) of page `page` of the current list; null past its end.
  const Item* catalogueEntry(uint32_t page, int x, int y);
  // The pinned id at `index` as an item, overwritten by the next call; null for a free place.
  const Item* pinnedItem(uint32_t index);
  bool togglePinned(uint16_t id) { return pinned_.togglePinned(id); }

  const CatalogueCategory& category(size_t index) const { return categories_.at(index); }
  const PinnedList& pinned() const { return pinned_; }

 private:
  std::array<CatalogueCategory, kCategoryCount> categories_;
  PinnedList pinned_;
  uint32_t current_ = 0;
  Item pinnedItem_;
};
