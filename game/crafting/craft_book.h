#pragma once
// The craft book's entries: a name (shown when the entry is learned), the discovery list (0-4)
// that a still unknown entry waits in, and a second text. The 335 rows are content that the
// launch installs; until then the book has no rows, so no entry can be discovered at random and
// a learned entry's notice has no name. Main thread only.

#include <cstdint>
#include <string>
#include <vector>

struct CraftBookEntry {
  std::string name;
  uint32_t listKind = 0;
  std::string detail;
};

inline constexpr uint16_t kCraftBookEntryCount = 335;
inline constexpr uint32_t kDiscoveryListCount = 5;

const std::vector<CraftBookEntry>& craftBookEntries();
// Keeps at most 335 rows; rows whose list kind is not 0-4 are never offered for discovery.
void installCraftBookEntries(std::vector<CraftBookEntry> entries);
// The entry's row, or null past the installed rows.
const CraftBookEntry* craftBookEntry(uint16_t entry);
