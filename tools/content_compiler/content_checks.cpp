#include "tools/content_compiler/content_checks.h"

#include <initializer_list>
#include <map>
#include <set>

namespace content_compiler {

namespace {

void checkUniqueIds(const std::vector<TreasureSource>& treasures) {
  std::set<uint16_t> seen;
  for (const auto& t : treasures) {
    if (!seen.insert(t.id).second) refuse(t.place, "item id " + std::to_string(t.id) + " is defined twice");
  }
}

void checkLootIndex(uint16_t index, size_t tableCount, const SourcePlace& place) {
  if (index != content::kNoLootTable && index >= tableCount) {
    refuse(place, "loot table " + std::to_string(index) + " does not exist (there are " +
                      std::to_string(tableCount) + ")");
  }
}

void checkLootReferences(const ContentSources& s) {
  for (const auto& table : s.lootTables) {
    for (const auto& e : table.entries) {
      if (e.kind == content::kLootGroup && e.reference >= s.lootGroups.size()) {
        refuse(table.place, "loot group " + std::to_string(e.reference) + " does not exist");
      }
      if (e.kind == content::kLootTable && e.reference >= s.lootTables.size()) {
        refuse(table.place, "loot table " + std::to_string(e.reference) + " does not exist");
      }
    }
  }
  for (const auto& b : s.blocks) checkLootIndex(b.lootTable, s.lootTables.size(), b.place);
  for (const auto& m : s.mobs) checkLootIndex(m.lootTable, s.lootTables.size(), m.place);
}

// Rolling a table that reaches itself through nested tables would never end.
void checkLootCycles(const ContentSources& s) {
  const size_t n = s.lootTables.size();
  std::vector<uint8_t> state(n, 0);  // 0 unseen, 1 on the path, 2 done
  for (size_t start = 0; start < n; ++start) {
    if (state[start]) continue;
    std::vector<std::pair<size_t, size_t>> stack{{start, 0}};
    state[start] = 1;
    while (!stack.empty()) {
      auto& [table, next] = stack.back();
      const auto& entries = s.lootTables[table].entries;
      if (next == entries.size()) {
        state[table] = 2;
        stack.pop_back();
        continue;
      }
      const auto& e = entries[next++];
      if (e.kind != content::kLootTable) continue;
      if (state[e.reference] == 1) refuse(s.lootTables[e.reference].place, "the loot table reaches itself");
      if (state[e.reference] == 0) {
        state[e.reference] = 1;
        stack.push_back({e.reference, 0});
      }
    }
  }
}

// The spawner draws a pack size between the two bounds and any mob of the list: each mob must be
// defined, and the bounds in order (a reversed pair would divide by a size of zero or less).
void checkMobGroups(const ContentSources& s) {
  for (const auto& g : s.mobGroups) {
    for (uint16_t mob : g.mobs) {
      if (mob >= s.mobs.size()) refuse(g.place, "mob " + std::to_string(mob) + " is not defined");
    }
    if (g.record.packBound(1) < g.record.packBound(0)) {
      refuse(g.place, "the largest pack is smaller than the smallest");
    }
  }
}

// A mob thinks by one of the game's four AI kinds (0 jumper, 1 walker, 2 flyer, 3 floater); a row of
// any other kind would make no mob.
constexpr uint8_t kLastAiKind = 3;

void checkMobKinds(const ContentSources& s) {
  for (const auto& m : s.mobs) {
    const uint8_t kind = m.record.movementKind();
    if (kind > kLastAiKind) {
      refuse(m.place, "AI kind " + std::to_string(kind) + " is none of the game's (0 to 3)");
    }
  }
}

template <typename Detail>
void checkDetailIds(const std::vector<Detail>& details, std::set<uint16_t>& ids) {
  for (const auto& d : details) {
    if (!ids.insert(d.item).second) {
      refuse(d.place, "item " + std::to_string(d.item) + " has two records in this file");
    }
  }
}

void checkItemRecords(const ContentSources& s) {
  std::set<uint16_t> buffs, tools, rangeds, swings;
  checkDetailIds(s.buffs, buffs);
  checkDetailIds(s.tools, tools);
  checkDetailIds(s.rangeds, rangeds);
  checkDetailIds(s.swingSpecs, swings);
  for (const auto& t : s.tools) {
    if (buffs.count(t.item)) refuse(t.place, "item " + std::to_string(t.item) + " is in both buffs and tools");
  }
  for (const auto& t : s.treasures) {
    const uint8_t kind = t.record.kind();
    if ((kind == content::kItemKindTool || kind == content::kItemKindWeapon) && !tools.count(t.id)) {
      refuse(t.place, "tool or weapon item " + std::to_string(t.id) + " has no tools record");
    }
    if (kind == content::kItemKindRanged && !rangeds.count(t.id) && !swings.count(t.id)) {
      refuse(t.place, "ranged item " + std::to_string(t.id) + " has neither a rangeds record nor a swing spec");
    }
  }
}

// Which item kinds each catalogue category lists (bit k: kind k); the spawners list mobs.
constexpr uint32_t kinds(std::initializer_list<int> list) {
  uint32_t bits = 0;
  for (int kind : list) bits |= 1u << kind;
  return bits;
}
constexpr uint32_t kPlaced = kinds({4});
constexpr uint32_t kCategoryKinds[game_tables::kCategoryCount] = {
    kinds({3}),                                   // Addons: attachments, paints, seeds
    kPlaced, kPlaced, kPlaced, kPlaced, kPlaced,  // Blocks, Decorations, Devices, Furniture, Half Blocks
    kinds({2, 7, 10, 11, 12, 13, 14, 15}),        // Items
    kPlaced,                                      // Lights
    kinds({3, 4, 15}),                            // Plants: seeds, plant blocks, herbs
    kinds({1, 5, 6}),                             // Tools: tools, weapons, ranged
    0,                                            // Spawners
};

void checkBookEntries(const ContentSources& s) {
  std::vector<bool> named(s.gameTables.book.size(), false);
  for (size_t row = 0; row < s.crafts.size(); ++row) {
    const uint16_t entry = s.crafts[row].bookEntry();
    if (entry == content::craft_record::kAlwaysKnown) continue;
    if (entry >= named.size()) {
      refuse(SourcePlace{source_files::kCrafts, static_cast<long>(row)},
             "craft book entry " + std::to_string(entry) + " does not exist");
    }
    named[entry] = true;
  }
  for (size_t entry = 0; entry < named.size(); ++entry) {
    if (!named[entry]) {
      refuse(SourcePlace{source_files::kCraftBook, static_cast<long>(entry)},
             "no recipe names entry " + std::to_string(entry) + " (\"" + s.gameTables.book[entry].name + "\")");
    }
  }
}

// A creative player can take every item: each is an entry of some list, or one of the icons the
// "Spawners" list shows its entries as.
void checkEveryItemCatalogued(const ContentSources& s) {
  std::set<uint16_t> listed(game_tables::kSpawnerIcons.begin(), game_tables::kSpawnerIcons.end());
  for (size_t c = 0; c < game_tables::kCategoryCount; ++c) {
    if (c == game_tables::kSpawnerCategory) continue;
    for (const auto& entry : s.gameTables.catalogue[c]) listed.insert(entry.id);
  }
  for (const auto& t : s.treasures) {
    if (!listed.count(t.id)) refuse(t.place, "item " + std::to_string(t.id) + " is on no list of the catalogue");
  }
}

void checkCatalogueIds(const ContentSources& s) {
  std::map<uint16_t, uint8_t> itemKinds;
  for (const auto& t : s.treasures) itemKinds[t.id] = t.record.kind();
  for (size_t c = 0; c < game_tables::kCategoryCount; ++c) {
    const SourcePlace place{source_files::kCatalogue, static_cast<long>(c)};
    const auto& entries = s.gameTables.catalogue[c];
    for (size_t i = 0; i < entries.size(); ++i) {
      const uint16_t id = entries[i].id;
      const std::string where = "entry " + std::to_string(i) + ": ";
      if (c == game_tables::kSpawnerCategory) {
        if (id >= s.mobs.size() || !(s.mobs[id].record.f32(content::mob_record::maxHealth) > 0)) {
          refuse(place, where + "mob " + std::to_string(id) + " is not defined");
        }
        continue;
      }
      const auto kind = itemKinds.find(id);
      if (kind == itemKinds.end()) refuse(place, where + "item " + std::to_string(id) + " is not defined");
      if (kind->second >= 32 || (kCategoryKinds[c] >> kind->second & 1u) == 0) {
        refuse(place, where + "item " + std::to_string(id) + " is of kind " + std::to_string(kind->second) +
                          ", which \"" + game_tables::kCategoryTitles[c] + "\" does not list");
      }
    }
  }
}

}  // namespace

void checkGameTables(const ContentSources& sources) {
  const std::string problem = gameTablesProblem(sources.gameTables, content::kItemIdLimit, content::kMobLimit);
  if (!problem.empty()) {
    // The problem's first words say which table it is in.
    const char* file = problem.find("difficult") != std::string::npos ? source_files::kDifficulties
                       : problem.find("catalogue") == 0             ? source_files::kCatalogue
                       : problem.find("mob item") != std::string::npos ? source_files::kMobItems
                                                                     : source_files::kCraftBook;
    refuse(SourcePlace{file}, problem);
  }
  checkBookEntries(sources);
  checkCatalogueIds(sources);
  checkEveryItemCatalogued(sources);
}

void checkContent(const ContentSources& sources) {
  checkUniqueIds(sources.treasures);
  checkLootReferences(sources);
  checkLootCycles(sources);
  checkMobGroups(sources);
  checkMobKinds(sources);
  checkItemRecords(sources);
}

}  // namespace content_compiler
