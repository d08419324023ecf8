#pragma once
// Loot groups and loot tables of the "lootGroups" and "lootTables" sections. Entries refer to
// groups and tables by address; every address points into the tables' own storage.

#include <cstdint>
#include <vector>

struct LootGroup {
  std::vector<uint16_t> items;
  uint8_t count() const { return static_cast<uint8_t>(items.size()); }
};

struct LootTable;

struct LootEntry {
  float chance = 0;  // chance (mode 0) or weight (other modes)
  uint8_t minCount = 0;
  uint8_t maxCount = 0;
  uint8_t kind = 0;  // content::LootEntryKind
  uint8_t stack = 0;
  // The reference, by kind: only the member of the entry's kind is set.
  uint16_t item = 0;
  const LootGroup* group = nullptr;
  const LootTable* table = nullptr;
  uint8_t category = 0;
};

struct LootTable {
  std::vector<LootEntry> entries;
  uint8_t mode = 0;  // 0: every entry rolls for itself; otherwise one entry is picked by weight
  uint8_t count() const { return static_cast<uint8_t>(entries.size()); }
};
