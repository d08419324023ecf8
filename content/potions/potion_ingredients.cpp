#include "content/potions/potion_ingredients.h"

#include <algorithm>
#include <array>
#include <vector>

#include "content/format/content_format.h"

namespace {

struct AlchemyGroup {
  int value;
  uint16_t shownItem;
  std::vector<uint16_t> items;
};

const std::array<AlchemyGroup, 32>& alchemyGroups() {
  static const std::array<AlchemyGroup, 32> groups = {{
    {0, 495, {45, 176, 179, 434, 495, 557, 749, 1517}},
    {1, 431, {307, 429, 431, 622, 813, 1581, 3781}},
    {2, 367, {174, 366, 367, 432, 942, 1645, 3717}},
    {3, 303, {113, 303, 371, 878, 1069, 1135}},
    {4, 239, {107, 239, 687, 690, 1074}},
    {5, 175, {44, 175, 180, 1267, 2885, 3526}},
    {6, 111, {111, 361, 561, 1006, 1200}},
    {7, 814, {308, 564, 755, 814, 2412, 3397}},
    {8, 750, {499, 750, 1136, 1202, 1769, 2693}},
    {9, 686, {241, 686, 691, 1004, 1137, 1138}},
    {10, 558, {498, 558, 563, 754, 880}},
    {11, 494, {109, 240, 243, 494, 685, 3205}},
    {12, 430, {112, 177, 368, 430, 493, 1386}},
    {13, 302, {302, 363, 370, 1007, 1008, 1139}},
    {14, 301, {237, 301, 816, 947, 1388}},
    {15, 173, {173, 306, 496, 623, 882, 3654}},
    {16, 236, {114, 236, 500, 624, 626, 1838, 3462}},
    {17, 3013, {883, 1836, 2501, 2565, 3013, 3525, 3845}},
    {18, 1514, {244, 1266, 1450, 1514, 3269, 3461, 3909}},
    {19, 874, {169, 874, 879, 1068, 1072, 1073}},
    {20, 990, {990, 1011, 1075, 1118, 1196}},
    {21, 115, {115, 178, 297, 435, 436, 560, 1265}},
    {22, 51, {51, 815, 1199, 2476, 2949, 3782}},
    {23, 562, {559, 562, 1071, 1709, 3077}},
    {24, 242, {242, 489, 818, 946, 1962, 2026}},
    {25, 50, {48, 50, 1773, 2821, 3564}},
    {26, 881, {425, 751, 881, 944, 1132, 1133}},
    {27, 753, {627, 753, 2373, 3141}},
    {28, 689, {305, 372, 689, 943, 945, 2629}},
    {29, 625, {625, 1770, 2437, 2757}},
    {30, 752, {233, 752, 1578, 1837, 3333, 3523}},
    {31, 688, {304, 688, 1201, 1901}},
  }};
  return groups;
}

const std::array<int8_t, content::kItemIdLimit>& alchemyValues() {
  static const std::array<int8_t, content::kItemIdLimit> values = [] {
    std::array<int8_t, content::kItemIdLimit> table;
    table.fill(NO_ALCHEMY_VALUE);
    for (const AlchemyGroup& group : alchemyGroups()) {
      for (uint16_t item : group.items) table[item] = static_cast<int8_t>(group.value);
    }
    return table;
  }();
  return values;
}

}  // namespace

int potionIngredientValue(int itemId) {
  if (itemId < 0 || itemId >= static_cast<int>(content::kItemIdLimit)) return NO_ALCHEMY_VALUE;
  return alchemyValues()[static_cast<size_t>(itemId)];
}

uint16_t alchemyValueIcon(int value) {
  if (value < 0 || value >= 32) return 0;
  return alchemyGroups()[static_cast<size_t>(value)].shownItem;
}

std::vector<uint16_t> ingredientsOfValues(int first, int last) {
  std::vector<uint16_t> items;
  for (int value = std::max(first, 0); value <= last && value < 32; ++value) {
    const auto& group = alchemyGroups()[static_cast<size_t>(value)].items;
    items.insert(items.end(), group.begin(), group.end());
  }
  return items;
}

uint32_t potionEffectIcons(uint16_t value) {
  const uint32_t first = alchemyValueIcon((value >> 11) & 31);
  const uint32_t second = alchemyValueIcon((value >> 6) & 31);
  return first | (second << 16);
}
