#pragma once
// One list of the creative catalogue: its fixed source entries (item id and the planets it
// belongs to as a 12-bit mask), its title, and the items shown under the current filter. The
// "Spawners" list shows each entry as the icon item of its planet, carrying the entry's id in its
// word. Main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "content/items/item.h"

struct CatalogueSource {
  uint16_t id = 0;
  uint32_t mask = 1;
};

struct CatalogueCategory {
  std::vector<CatalogueSource> sources;
  std::string title;
  bool icons = false;
  uint32_t index = 0;
  uint32_t page = 0;
  uint32_t passed = 0;      // sources that pass the filter
  std::vector<Item> shown;  // one per passing source, in source order
};

// Refills `shown` with the sources whose mask shares a bit with `filter`.
void rebuildCategory(CatalogueCategory& category, uint32_t filter);
// An item of `iconId` that carries `entryId` in the low 16 bits of its word.
Item makeIconItem(uint16_t iconId, uint16_t entryId);
