#pragma once
// The fixed table of 110 potions, the index from potion code to potion, the category lists, and
// what is done with potion values: brewing, random potions, names, durations and effects.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "content/potions/potion_def.h"

constexpr size_t POTION_COUNT = 110;
constexpr size_t POTION_INDEX_SIZE = 1024;
// What a brew of two ingredients that make no potion yields.
constexpr uint16_t FAILED_BREW_ITEM = 2063;
constexpr uint16_t FIRST_POTION_ITEM = 2126;
constexpr int POTION_ITEM_COUNT = 15;

// The potion rows in table order; row i has the code (i * 33) & 1023.
const std::array<PotionDef, POTION_COUNT>& potionDefs();

class PotionTable {
 public:
  PotionTable();

  // The potion of a code 0..1023, null for an empty slot.
  const PotionDef* atCode(int code) const;
  // The rows of a category in table order; empty outside 0..3.
  const std::vector<const PotionDef*>& category(int category) const;

 private:
  std::array<const PotionDef*, POTION_INDEX_SIZE> index_{};
  std::array<std::vector<const PotionDef*>, POTION_CATEGORY_COUNT> categories_;
};

// The process-wide index over `potionDefs`; it only ever reads constant rows, so it is built once
// on first use and shared by every thread.
const PotionTable& potionTable();
// Builds the index now, at start-up, rather than on first use.
void indexPotionTable();

// The potion a value names, null when its code has no potion.
const PotionDef* potionDefForValue(uint16_t value);

// Any item missing: itemId ITEM_NONE. Two ingredients without a potion, or an item without an
// alchemy value in an ingredient slot: FAILED_BREW_ITEM with value 0.
PotionResult brewPotion(const Item* first, const Item* second, const Item* third,
                        const Item* bottle);
// The loot recipe: bits 0-2 category (4 and above: any potion), 3-4 bottle kind, 5-6 the
// second level.
PotionResult randomPotionEffect(uint8_t spec);

// "Potion of X" or "X Potion"; "Potion" for a value whose code has no potion.
std::string potionDisplayName(uint16_t value);
// How long a potion value lasts; 0 for a value whose code has no potion.
uint16_t potionDuration(uint16_t value);
// Applies the effect of the value's potion; a value without a potion does nothing.
void applyPotionEffect(Stats& stats, const PotionEffect& effect);

bool isPotionItem(int itemId);
// 0..3 for the four bottles; any other item counts as bottle kind 0.
int bottleKind(int itemId);

// For the book: "" every potion, "offensive", "defensive", "utility" or "special" one category,
// anything else a search in names and descriptions ignoring case; sorted by name.
std::vector<const PotionDef*> potionsOfCategory(std::string_view filter);
