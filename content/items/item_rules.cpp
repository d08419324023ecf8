#include "content/items/item_rules.h"

#include <algorithm>
#include <iterator>

#include "engine/base/random.h"

namespace {

// key item, dropped item, chance, count range
constexpr FixedDrop FIXED_DROPS[] = {
    {63, 64, 1.0f, 20, 30},
    {127, 65, 1.0f, 15, 25},
    {191, 256, 1.0f, 15, 25},
    {255, 257, 1.0f, 13, 20},
    {319, 448, 1.0f, 13, 20},
    {383, 449, 1.0f, 11, 16},
    {447, 640, 1.0f, 10, 15},
    {511, 832, 1.0f, 8, 10},
    {575, 1024, 1.0f, 8, 10},
    {639, 1669, 1.0f, 5, 8},
    {703, 1797, 1.0f, 5, 8},
    {767, 1670, 1.0f, 5, 8},
    {831, 1798, 1.0f, 5, 8},
    {895, 1542, 1.0f, 5, 8},
    {959, 1541, 1.0f, 5, 8},
    {1727, 1414, 1.0f, 5, 8},
    {1599, 1413, 1.0f, 5, 8},
    {1663, 1415, 1.0f, 5, 8},
    {1407, 144, 0.8f, 100, 200},
    {1471, 208, 0.8f, 100, 200},
    {1535, 528, 0.8f, 100, 200},
};

// first id, block, value, colour
constexpr ItemRule ITEM_RULES[] = {
    {25, 213, 12, 180, 101, 71},   {89, 138, 24, 228, 159, 130},  {153, 137, 24, 186, 186, 186},
    {217, 139, 36, 205, 212, 220}, {281, 140, 36, 246, 187, 60},  {345, 141, 48, 167, 199, 74},
    {409, 142, 60, 136, 105, 197}, {601, 236, 72, 89, 186, 193},  {665, 237, 72, 185, 68, 101},
    {537, 1606, 120, 190, 111, 0}, {1807, 2116, 12, 120, 114, 115},
};

constexpr FuelValue FUEL_VALUES[] = {
    {612, 8}, {548, 8}, {740, 8}, {676, 8}, {868, 8}, {932, 8}, {1964, 10}, {2149, 16},
    {2085, 16}, {2277, 16}, {2213, 16}, {2023, 16}, {2024, 16}, {94, 8}, {64, 30}, {2851, 120},
    {164, 300}, {1343, 500}, {1954, 20}, {1124, 10}, {1636, 18}, {1828, 18}, {1060, 10},
};

constexpr uint16_t MOB_HOLDERS[] = {913,  977,  1041, 1105, 1169, 1171, 1233,
                                    1295, 1297, 1360, 1361, 1425, 1426};
constexpr uint16_t UNNAMED_MOB_HOLDER = 1233;

}  // namespace

const FixedDrop* fixedDropFor(uint16_t itemId) {
  for (const FixedDrop& drop : FIXED_DROPS) {
    if (drop.keyId == itemId) return &drop;
  }
  return nullptr;
}

DropRoll rollDropFor(uint16_t itemId) {
  DropRoll roll;
  const FixedDrop* drop = fixedDropFor(itemId);
  if (drop == nullptr) return roll;
  roll.found = true;
  if (!(drop->chance > static_cast<float>(engine::randomNext()) / 32768.0f)) return roll;
  const int span = drop->maxCount - drop->minCount + 1;
  const int count = drop->minCount + (span > 1 ? engine::randomNext() % span : 0);
  roll.item = Item(drop->dropId, -1, static_cast<uint16_t>(count), -1, 0);
  return roll;
}

const ItemRule* lookupItemRule(uint16_t blockId) {
  for (const ItemRule& rule : ITEM_RULES) {
    if (rule.blockId == blockId) return &rule;
  }
  return nullptr;
}

const FuelValue* lookupIdPair(uint16_t itemId) {
  for (const FuelValue& fuel : FUEL_VALUES) {
    if (fuel.itemId == static_cast<int16_t>(itemId)) return &fuel;
  }
  return nullptr;
}

bool holdsMob(uint16_t itemId) {
  return std::find(std::begin(MOB_HOLDERS), std::end(MOB_HOLDERS), itemId) != std::end(MOB_HOLDERS);
}

bool showsHeldMobName(uint16_t itemId) { return itemId != UNNAMED_MOB_HOLDER && holdsMob(itemId); }
