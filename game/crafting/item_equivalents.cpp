#include "game/crafting/item_equivalents.h"

#include <algorithm>

const std::vector<ItemEquivalence>& itemEquivalences() {
  static const std::vector<ItemEquivalence> rows = {
      {45, {109, 173, 174, 754, 436, 1133, 626, 500}},
      {100, {804}},
      {292, {420}},
      {431, {495, 367, 559, 623}},
      {612, {548, 740, 676, 868, 932, 996, 1124, 1060}},
      {1389, {1579, 1643, 1515, 1451, 1899, 1707, 2027, 2028, 1453, 2155, 2156, 2157}},
      {1602, {1474}},
      {1603, {1475}},
      {2149, {2085, 2277, 2213, 2023, 2024, 2016, 1636, 1828}},
      {2274, {2405, 2533, 2469, 2087, 2152, 2017, 1508, 1827}},
      {2467, {3108}},
  };
  return rows;
}

bool itemMatches(uint16_t have, uint16_t wanted, bool allowEquivalents) {
  if (have == wanted) return true;
  if (!allowEquivalents) return false;
  for (const ItemEquivalence& family : itemEquivalences()) {
    if (family.wanted == wanted) {
      return std::find(family.accepted.begin(), family.accepted.end(), have) != family.accepted.end();
    }
  }
  return false;
}
