#include "tools/content_checks/obtainability_check.h"

#include <algorithm>
#include <map>
#include <vector>

#include "game/crafting/item_equivalents.h"
#include "tools/content_checks/item_sources.h"

namespace content_checks {

namespace cc = content_compiler;

namespace {

// The ingredient cells a recipe's shape uses (the rest of the grid is ignored by the game).
std::vector<uint16_t> ingredientsOf(const CraftDef& craft) {
  std::vector<int> cells;
  switch (craft.shape()) {
    case 0:
    case 2: cells = {0}; break;
    case 1:
    case 4:
    case 5: cells = {0, 1}; break;
    default: cells = {0, 1, 2, 3, 4, 5, 6, 7, 8}; break;
  }
  std::vector<uint16_t> items;
  for (int cell : cells) {
    const uint16_t id = craft.ingredient(cell);
    // Counts add up per id, so an id in several cells is still one ingredient.
    if (id != content::kNoItem && std::find(items.begin(), items.end(), id) == items.end()) items.push_back(id);
  }
  return items;
}

bool usedRow(const CraftDef& craft) { return craft.result() != 0; }

// Items a loot table can give, following nested tables and groups (each table once).
void collectLoot(const ContentSources& s, size_t table, std::vector<bool>& seen, std::set<uint16_t>& out) {
  if (table >= s.lootTables.size() || seen[table]) return;
  seen[table] = true;
  for (const auto& e : s.lootTables[table].entries) {
    if (e.chance <= 0) continue;
    switch (e.kind) {
      case content::kLootItem: out.insert(e.reference); break;
      case content::kLootGroup:
        if (e.reference < s.lootGroups.size()) {
          for (uint16_t item : s.lootGroups[e.reference].items) out.insert(item);
        }
        break;
      case content::kLootTable: collectLoot(s, e.reference, seen, out); break;
      case content::kLootCategory:
        for (uint16_t potion : lootPotionItems()) out.insert(potion);
        break;
      default: break;
    }
  }
}

std::set<uint16_t> lootItems(const ContentIndex& content) {
  const ContentSources& s = content.sources();
  std::vector<bool> seen(s.lootTables.size(), false);
  std::set<uint16_t> items;
  for (const auto& b : s.blocks) collectLoot(s, b.lootTable, seen, items);
  for (uint16_t row = 0; row < s.mobs.size(); ++row) {
    if (content.mob(row)) collectLoot(s, s.mobs[row].lootTable, seen, items);
  }
  return items;
}

class Obtainable {
 public:
  explicit Obtainable(std::set<uint16_t> items) : items_(std::move(items)) {}

  bool has(uint16_t id) const { return items_.count(id) != 0; }
  // The item itself, or one the crafting code accepts in its place.
  bool hasOrEquivalent(uint16_t id) const {
    if (has(id)) return true;
    for (const ItemEquivalence& e : itemEquivalences()) {
      if (e.wanted != id) continue;
      for (uint16_t other : e.accepted) {
        if (has(other)) return true;
      }
    }
    return false;
  }
  bool stationReady(uint8_t station) const {
    const auto& items = stationItems();
    return station == 0 || (station < items.size() && has(items[station]));
  }
  bool add(uint16_t id) { return items_.insert(id).second; }
  std::set<uint16_t> take() { return std::move(items_); }

 private:
  std::set<uint16_t> items_;
};

bool recipeReady(const CraftDef& craft, const Obtainable& have) {
  if (!have.stationReady(craft.station())) return false;
  for (uint16_t id : ingredientsOf(craft)) {
    if (!have.hasOrEquivalent(id)) return false;
  }
  return true;
}

bool sourceReady(const CodeItemSource& source, const ContentIndex& content, const Obtainable& have) {
  for (uint16_t id : source.needsItems) {
    if (!have.has(id)) return false;
  }
  for (uint16_t mob : source.needsMobs) {
    if (!content.mob(mob)) return false;
  }
  for (uint16_t block : source.needsBlocks) {
    if (!content.block(block)) return false;
  }
  return true;
}

std::string itemName(uint16_t id) { return "item " + std::to_string(id); }

}  // namespace

std::set<uint16_t> obtainableItems(const ContentIndex& content) {
  Obtainable have(lootItems(content));
  // Grows until nothing new comes: a recipe or code source counts once all it needs can be had.
  bool grew = true;
  while (grew) {
    grew = false;
    for (const CraftDef& craft : content.sources().crafts) {
      if (usedRow(craft) && recipeReady(craft, have)) grew |= have.add(craft.result());
    }
    for (const CodeItemSource& source : codeItemSources()) {
      if (!sourceReady(source, content, have)) continue;
      for (uint16_t id : source.gives) {
        if (content.item(id)) grew |= have.add(id);
      }
    }
  }
  return have.take();
}

void checkRecipeInputs(const ContentIndex& content, CheckReport& report) {
  const Obtainable have(obtainableItems(content));
  const auto& crafts = content.sources().crafts;
  for (size_t row = 0; row < crafts.size(); ++row) {
    const CraftDef& craft = crafts[row];
    if (!usedRow(craft)) continue;
    const SourcePlace place{cc::source_files::kCrafts, static_cast<long>(row)};
    if (!content.item(craft.result())) report.add(place, "the result " + itemName(craft.result()) + " is not defined");
    for (uint16_t id : ingredientsOf(craft)) {
      if (!content.item(id)) {
        report.add(place, "ingredient " + itemName(id) + " is not defined");
      } else if (!have.hasOrEquivalent(id)) {
        report.add(place, "ingredient " + itemName(id) + " cannot be obtained (no block, mob, recipe or game table gives it)");
      }
    }
    if (!have.stationReady(craft.station())) {
      report.add(place, "station kind " + std::to_string(craft.station()) + " cannot be built (its item cannot be obtained)");
    }
  }
  std::map<uint16_t, const char*> missing;  // each missing item once, with the first table naming it
  for (const CodeItemSource& source : codeItemSources()) {
    for (uint16_t id : source.gives) {
      if (!content.item(id)) missing.emplace(id, source.table);
    }
  }
  for (const auto& [id, table] : missing) {
    report.add(SourcePlace{cc::source_files::kTreasures},
               itemName(id) + " is given by the game's " + table + " but is not defined");
  }
}

}  // namespace content_checks
