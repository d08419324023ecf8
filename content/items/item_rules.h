#pragma once
// Small constant tables about items: the fixed drops of container items, the item rules keyed by
// block, fuel values, and which items hold a mob.

#include <cstdint>

#include "content/items/item.h"

struct FixedDrop {
  uint16_t keyId;
  uint16_t dropId;
  float chance;
  uint8_t minCount;
  uint8_t maxCount;
};

struct ItemRule {
  uint16_t firstId;
  uint16_t blockId;
  uint8_t value;
  uint8_t r, g, b;
};

struct FuelValue {
  int16_t itemId;
  int16_t value;
};

struct DropRoll {
  Item item;           // ITEM_NONE when the roll failed
  bool found = false;  // the item has a fixed drop at all
};

// Rolls the fixed drop of an activated item.
DropRoll rollDropFor(uint16_t itemId);
const FixedDrop* fixedDropFor(uint16_t itemId);
// The item rule of a block, null for none.
const ItemRule* lookupItemRule(uint16_t blockId);
// The fuel value of an item, null when it does not burn.
const FuelValue* lookupIdPair(uint16_t itemId);
// Items that carry a caught mob in their word.
bool holdsMob(uint16_t itemId);
// Whether the inventory label names the held mob (every mob holder but 1233).
bool showsHeldMobName(uint16_t itemId);
