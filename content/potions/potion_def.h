#pragma once
// One potion of the fixed potion table, and what brewing or a random pick yields.
//
// A potion item carries a 16-bit potion value in the low half of its word:
//   bits 0-1   bottle kind (the column of the duration table)
//   bits 2-3   first level, bits 4-5 second level (read together as one 4-bit level as well)
//   bits 6-15  the potion code, the potion's slot in the potion index

#include <cstdint>
#include <functional>

#include "content/items/item.h"

struct Stats;
struct PotionEffect;

enum PotionCategory : uint8_t {
  POTION_OFFENSIVE = 0,
  POTION_DEFENSIVE = 1,
  POTION_UTILITY = 2,
  POTION_SPECIAL = 3,
};
constexpr int POTION_CATEGORY_COUNT = 4;

enum PotionNameStyle : uint8_t {
  POTION_NAME_OF = 0,      // "Potion of " + name
  POTION_NAME_SUFFIX = 1,  // name + " Potion"
};

using PotionEffectFunction = std::function<void(Stats&, const PotionEffect&)>;

struct PotionDef {
  uint16_t code = 0;
  const char* name = "";
  const char* description = nullptr;  // most potions have none
  uint8_t nameStyle = POTION_NAME_OF;
  uint8_t category = POTION_OFFENSIVE;
  uint8_t durationClass = 0;
  uint16_t itemId = ITEM_NONE;
  PotionEffectFunction effect;
};

struct PotionResult {
  const PotionDef* def = nullptr;
  uint16_t itemId = ITEM_NONE;  // ITEM_NONE: nothing to create
  uint16_t value = 0;
};
