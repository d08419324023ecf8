#include "game/catalogue/catalogue_category.h"

#include <bit>

namespace {

// The spawner icon of each planet bit, bit 0 first.
constexpr uint16_t kPlanetIcons[12] = {913, 977, 1041, 1105, 1169, 1297, 1361, 1425, 1426, 1171, 1360, 1295};
constexpr uint16_t kDefaultIcon = 913;

uint16_t iconFor(uint32_t mask) {
  if (!std::has_single_bit(mask) || mask >= (1u << std::size(kPlanetIcons))) return kDefaultIcon;
  return kPlanetIcons[std::countr_zero(mask)];
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
