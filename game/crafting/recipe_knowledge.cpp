#include "game/crafting/recipe_knowledge.h"

#include <algorithm>

#include "engine/base/random.h"

namespace {

// The chance that a non-empty discovery list gives the entry, tried list by list.
constexpr float kListTakeChance = 0.65f;

bool bitSet(const RecipeKnowledge::Bitset& bits, uint16_t entry) {
  return entry / 8 < bits.size() && (bits[entry / 8] >> (entry % 8) & 1) != 0;
}

}  // namespace

void RecipeKnowledge::setBookOptions(bool fullCraftbook, bool chemistryBook) {
  fullCraftbook_ = fullCraftbook;
  chemistryBook_ = chemistryBook;
}

bool RecipeKnowledge::isEntryKnown(uint16_t entry) const {
  return fullCraftbook_ || bitSet(known, entry);
}

bool RecipeKnowledge::isRecipeKnown(uint16_t entry) const {
  return chemistryBook_ || bitSet(chemistry, entry);
}

uint32_t RecipeKnowledge::countUnknownEntries() const {
  if (fullCraftbook_) return 0;
  uint32_t unknown = 0;
  for (uint16_t entry = 0; entry < kCraftBookEntryCount; ++entry) unknown += bitSet(known, entry) ? 0 : 1;
  return unknown;
}

void RecipeKnowledge::countKnownRecipes() {
  knownCount = kCraftBookEntryCount - countUnknownEntries();
  rebuildUnknownLists(fullCraftbook_, known);
}

void RecipeKnowledge::rebuildUnknownLists(bool allKnown, const Bitset& bitset) {
  for (auto& list : discoveryLists) list.clear();
  if (allKnown) return;
  for (uint16_t entry = 0; entry < kCraftBookEntryCount; ++entry) {
    const CraftBookEntry* row = craftBookEntry(entry);
    if (bitSet(bitset, entry) || row == nullptr || row->listKind >= kDiscoveryListCount) continue;
    discoveryLists[row->listKind].push_back(entry);
  }
}

bool RecipeKnowledge::removeKnownFromKindList(uint16_t entry) {
  const CraftBookEntry* row = craftBookEntry(entry);
  if (row == nullptr || row->listKind >= kDiscoveryListCount) return false;
  auto& list = discoveryLists[row->listKind];
  const auto found = std::find(list.begin(), list.end(), entry);
  if (found == list.end()) return false;
  list.erase(found);
  return true;
}

uint16_t RecipeKnowledge::pickRandomUnknownEntry() const {
  for (const auto& list : discoveryLists) {
    if (list.empty()) continue;
    if (!(kListTakeChance > static_cast<float>(engine::randomNext()) / 32768.0f)) continue;
    return list[static_cast<size_t>(engine::randomNext()) % list.size()];
  }
  return kNoEntry;
}
