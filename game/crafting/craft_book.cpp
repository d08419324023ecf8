#include "game/crafting/craft_book.h"

#include <utility>

namespace {

std::vector<CraftBookEntry>& entries() {
  static std::vector<CraftBookEntry> rows;
  return rows;
}

}  // namespace

const std::vector<CraftBookEntry>& craftBookEntries() { return entries(); }

void installCraftBookEntries(std::vector<CraftBookEntry> rows) {
  if (rows.size() > kCraftBookEntryCount) rows.resize(kCraftBookEntryCount);
  entries() = std::move(rows);
}

const CraftBookEntry* craftBookEntry(uint16_t entry) {
  return entry < entries().size() ? &entries()[entry] : nullptr;
}
