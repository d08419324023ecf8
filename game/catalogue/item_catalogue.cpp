#include "game/catalogue/item_catalogue.h"

#include <utility>

#include "content/tables/game_tables.h"

static_assert(ItemCatalogue::kCategoryCount == game_tables::kCategoryCount);

ItemCatalogue::ItemCatalogue() {
  for (uint32_t i = 0; i < kCategoryCount; ++i) {
    categories_[i].title = game_tables::kCategoryTitles[i];
    categories_[i].index = i;
    categories_[i].icons = i == game_tables::kSpawnerCategory;
  }
}

void ItemCatalogue::setSources(std::array<std::vector<CatalogueSource>, kCategoryCount> sources,
                               uint32_t filter) {
  for (size_t i = 0; i < kCategoryCount; ++i) categories_[i].sources = std::move(sources[i]);
  setCatalogueFilter(filter);
}

void ItemCatalogue::setCatalogueFilter(uint32_t filter) {
  for (CatalogueCategory& category : categories_) rebuildCategory(category, filter);
  current_ = 0;
  // The count goes with the places: a count left behind would refuse pins that have room.
  pinned_.clear();
}

void ItemCatalogue::selectList(uint32_t list) {
  if (list <= kPinnedList) current_ = list;
}

const Item* ItemCatalogue::catalogueEntry(uint32_t page, int x, int y) {
  if (x < 0 || x >= kPageSide || y < 0 || y >= kPageSide) return nullptr;
  const uint64_t index = uint64_t{page} * kPageItems + static_cast<uint64_t>(x + kPageSide * y);
  if (current_ == kPinnedList) return index < kPageItems ? pinnedItem(static_cast<uint32_t>(index)) : nullptr;
  const CatalogueCategory& category = categories_[current_];
  return index < category.passed ? &category.shown[index] : nullptr;
}

const Item* ItemCatalogue::pinnedItem(uint32_t index) {
  if (index >= PinnedList::kPlaces || pinned_.ids[index] == PinnedList::kFree) return nullptr;
  pinnedItem_ = Item(pinned_.ids[index], -1, 1, -1, 0);
  return &pinnedItem_;
}
