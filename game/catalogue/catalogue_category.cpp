#include "game/catalogue/catalogue_category.h"

#include <bit>

#include "content/tables/game_tables.h"

namespace {

constexpr uint16_t kDefaultIcon = game_tables::kSpawnerIcons[0];

uint16_t iconFor(uint32_t mask) {
  if (!std::has_single_bit(mask) || mask >= (1u << game_tables::kSpawnerIcons.size())) return kDefaultIcon;
  return game_tables::kSpawnerIcons[static_cast<size_t>(std::countr_zero(mask))];
}

}  // namespace

Item makeIconItem(uint16_t iconId, uint16_t entryId) { return Item(iconId, -1, 1, -1, entryId); }

void rebuildCategory(CatalogueCategory& category, uint32_t filter) {
  category.shown.clear();
  for (const CatalogueSource& source : category.sources) {
    if ((source.mask & filter) == 0) continue;
    category.shown.push_back(category.icons ? makeIconItem(iconFor(source.mask), source.id)
                                            : Item(source.id, 0, 1, -1, 0));
  }
  category.passed = static_cast<uint32_t>(category.shown.size());
}
