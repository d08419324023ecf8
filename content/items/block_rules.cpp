#include "content/items/block_rules.h"

#include <algorithm>
#include <array>

#include "content/items/block_filter.h"

namespace {

// The row for 1456 stands twice; the first one always answers.
constexpr SideVariantRule SIDE_VARIANTS[] = {
    {1441, {739, 707, 675}}, {1569, {585, 553, 521}}, {1456, {1830, 1798, 1766}},
    {1505, {740, 708, 710}}, {1392, {1955, 1923, 1926}}, {1456, {1830, 1798, 1766}},
    {1585, {1895, 1864, 1863}}, {1713, {1898, 1866, 1834}}, {1522, {3945, 3913, 3881}},
    {1650, {1862, 1862, 1862}}, {1714, {3554, 3522, 3490}}, {1523, {3875, 3843, 3811}},
    {1587, {1827, 1795, 1763}}, {1651, {1670, 3753, 3721}}, {1715, {3524, 3524, 3492}},
    {1394, {3943, 3911, 3879}}, {1782, {3049, 3049, 3017}}, {1718, {713, 713, 714}},
    {1654, {3016, 3016, 2984}}, {1398, {742, 711, 712}}, {1717, {1878, 1846, 1814}},
    {1904, {1611, 1579, 1547}}, {1840, {743, 744, 745}}, {1776, {3786, 3754, 3722}},
    {1970, {1996, 1964, 1932}}, {1777, {1652, 1652, 1652}}, {1843, {1555, 1523, 1491}},
    {2162, {1329, 1329, 1297}}, {1396, {2011, 1979, 1947}}, {1716, {2004, 1972, 1940}},
    {1845, {2967, 2935, 2903}}, {1909, {2968, 2936, 2904}}, {1712, {1847, 1815, 1879}},
    {1910, {2009, 1977, 1945}}, {1846, {1745, 1713, 1681}}, {2038, {3302, 3270, 3238}},
    {2099, {3314, 3282, 3250}}, {1974, {3331, 3299, 3267}}, {2098, {3315, 3315, 3283}},
    {1969, {3307, 3275, 3243}}, {2159, {2990, 2958, 2926}}, {1971, {3218, 3186, 3186}},
    {672, {362, 362, 363}}, {2225, {1359, 1327, 1295}}, {2289, {3897, 3897, 3865}},
    {2230, {2970, 2874, 2938}}, {3625, {946, 914, 887}}, {3561, {1257, 1225, 1224}},
    {2418, {3608, 3576, 3544}}, {2353, {3603, 3571, 3539}}, {2416, {3787, 3755, 3723}},
    {2480, {4037, 4005, 3973}}, {2481, {3735, 3703, 3671}}, {2415, {3573, 3575, 3574}},
    {2357, {2044, 2045, 2014}}, {2482, {815, 783, 751}}, {2613, {2699, 2667, 2635}},
    {2610, {2702, 2670, 2638}}, {2612, {2695, 2663, 2631}}, {2608, {2703, 2671, 2639}},
    {2546, {2978, 2946, 2914}}, {2549, {3074, 3042, 3010}}, {2545, {3009, 3009, 2977}},
    {2484, {3552, 3520, 3488}}, {2544, {3073, 3073, 3041}}, {2547, {3595, 3563, 3531}},
    {1322, {3933, 3932, 3901}}, {1257, {4066, 3906, 4034}}, {1641, {4016, 3984, 3920}},
    {1705, {4047, 4015, 3983}}, {1323, {3921, 3922, 3889}}, {1966, {4017, 3985, 3953}},
    {2036, {3147, 3147, 3115}}, {1895, {3509, 3509, 3477}}, {1198, {3503, 3504, 3505}},
    {1065, {3486, 3454, 3422}}, {873, {3485, 3453, 3421}}, {937, {3482, 3450, 3418}},
    {1255, {3445, 3413, 3446}}, {1130, {3386, 3386, 3386}}, {1134, {3499, 3500, 3502}},
    {1066, {3443, 3443, 3443}}, {1263, {3507, 3507, 3507}}, {1141, {1738, 1706, 1674}},
    {949, {2992, 2960, 2928}}, {758, {2863, 2831, 2799}}, {885, {2959, 2927, 2895}},
    {756, {3025, 2993, 2961}}, {884, {3065, 3065, 3065}}, {501, {2931, 2900, 2899}},
    {1013, {2929, 2929, 2897}}, {950, {873, 874, 875}}, {886, {1040, 1041, 1042}},
    {3057, {2450, 2418, 2386}}, {3578, {2480, 2448, 2416}}, {3385, {2451, 2419, 2387}},
    {1409, {2195, 2195, 2195}}, {1729, {2200, 2200, 2200}}, {1728, {2205, 2205, 2205}},
    {1473, {2196, 2196, 2196}}, {1537, {2197, 2197, 2197}}, {1664, {2204, 2204, 2204}},
    {1792, {2206, 2206, 2206}}, {1601, {2198, 2198, 2198}}, {1793, {2201, 2201, 2201}},
    {1857, {2202, 2202, 2202}}, {1921, {2203, 2203, 2203}}, {1665, {2199, 2199, 2199}},
};

struct ReplacementRule {
  uint64_t filter;
  uint16_t blockId;
  uint8_t layer;
};

constexpr ReplacementRule REPLACEMENTS[] = {
    {categoryFilter(0x001, 0x04), 1221, 0},
    {categoryFilter(0x004, 0x04), 483, 0},
    {categoryFilter(0x044, 0x10), 485, 0},
    {categoryFilter(0x00C, 0x04), 2531, 0},
    {categoryFilter(0x008, 0x10), 2564, 0},
    {categoryFilter(0x010, 0x04), 485, 0},
    {categoryFilter(0x002, 0x04), 2037, 0},
    {exactBlockFilter(1728), 3781, 0},
    {exactBlockFilter(1808), 454, 0},
    {exactBlockFilter(2034), 1943, 0},
    {exactBlockFilter(1888), 4003, 0},
    {exactBlockFilter(1952), 1987, 0},
    {exactBlockFilter(1344), 454, 0},
    {exactBlockFilter(1376), 454, 0},
    {exactBlockFilter(1408), 454, 0},
    {exactBlockFilter(1531), 454, 0},
    {exactBlockFilter(1563), 454, 0},
    {exactBlockFilter(1595), 454, 0},
    {exactBlockFilter(1083), 2907, 0},
    {exactBlockFilter(1115), 2907, 0},
    {exactBlockFilter(1147), 2907, 0},
    {exactBlockFilter(3936), 4035, 0},
    {exactBlockFilter(3968), 4035, 0},
    {exactBlockFilter(4000), 4035, 0},
    {exactBlockFilter(3133), 4036, 0},
    {exactBlockFilter(3165), 4036, 0},
    {exactBlockFilter(3197), 4036, 0},
    {exactBlockFilter(3258), 485, 0},
};
static_assert(std::size(REPLACEMENTS) == 28);

// planet bit, second planet bit, value, two blocks
const std::vector<PlanetLinkRule>& planetLinkRules() {
  static const std::vector<PlanetLinkRule> rules = {
    {0x1, 0x2, 40, 2787, 2755},
    {0x2, 0x4, 360, 2792, 2760},
    {0x4, 0x8, 104, 2788, 2756},
    {0x4, 0x40, 104, 2788, 2756},
    {0x8, 0x10, 168, 2789, 2757},
    {0x40, 0x20, 296, 2791, 2759},
    {0x10, NO_SECOND_PLANET, 232, 2790, 2758},
    {0x20, NO_SECOND_PLANET, 488, 2794, 2762},
    {0x8, 0x80, 168, 2789, 2757},
    {0x80, NO_SECOND_PLANET, 424, 2793, 2761},
    {0x100, 0x8, 552, 2795, 2763},
    {0x2, 0x100, 360, 2792, 2760},
    {0x200, 0x80, 616, 2796, 2764},
    {0x100, 0x200, 552, 2795, 2763},
    {0x1, 0x400, 40, 2787, 2755},
    {0x400, 0x100, 680, 2797, 2765},
    {0x400, 0x4, 680, 2797, 2765},
    {0x200, 0x800, 616, 2796, 2764},
    {0x800, NO_SECOND_PLANET, 744, 2798, 2766},
    {0x40, 0x10, 296, 2791, 2759},
  };
  return rules;
}

struct Decoration {
  uint16_t blockId;
  uint16_t decoration;
};

constexpr Decoration DECORATIONS[] = {
    {101, 468}, {102, 470}, {1571, 471}, {1572, 469}, {1573, 471}, {1574, 470}, {1576, 470},
    {1577, 471}, {1578, 470}, {1607, 469}, {1608, 469}, {1609, 467}, {1610, 470}, {1539, 470},
    {1540, 471}, {1541, 471}, {1544, 470}, {1543, 470}, {1545, 469}, {1479, 470}, {1513, 470},
    {1480, 470}, {1679, 470}, {1678, 470}, {1677, 469}, {1498, 470}, {1497, 469}, {1496, 468},
    {3534, 467}, {3533, 467}, {3532, 467}, {100, 467}, {3006, 471}, {3004, 471}, {3005, 471},
    {1605, 467}, {1603, 467},
};

// The second list of special placeable blocks: only the first ids are known.
constexpr uint16_t SECOND_SPECIAL_FIRST = 3295;
constexpr uint16_t SECOND_SPECIAL_LAST = 3302;

constexpr uint16_t SPECIAL_BLOCK_IDS[] = {228, 597, 629, 661, 693, 725, 757, 789, 821, 1004, 1020};

struct BlockGroup {
  uint16_t blockId;
  uint8_t group;
};

constexpr BlockGroup BLOCK_GROUPS[] = {{598, 0}, {630, 0}, {662, 0}, {694, 0}, {726, 0},
                                       {758, 0}, {790, 0}, {822, 0}, {324, 1}};

const BlockGroup* groupOf(uint16_t blockId) {
  for (const BlockGroup& entry : BLOCK_GROUPS) {
    if (entry.blockId == blockId) return &entry;
  }
  return nullptr;
}

}  // namespace

SideLookup lookupBlockRule(uint16_t blockId) {
  for (const SideVariantRule& rule : SIDE_VARIANTS) {
    for (int side : {0, 2, 1}) {
      if (rule.blocks[side] == blockId) return {side, &rule};
    }
  }
  return {};
}

uint16_t blockCategory(uint8_t layer, const CellInfo& cell) {
  if (layer == 2) return 14;
  for (const ReplacementRule& rule : REPLACEMENTS) {
    if (rule.layer == layer && itemMatchesFilter(cell.blockId(), rule.filter)) return rule.blockId;
  }
  return 0;
}

std::vector<const PlanetLinkRule*> rowsForKind(uint32_t planetBit) {
  std::vector<const PlanetLinkRule*> rows;
  for (const PlanetLinkRule& rule : planetLinkRules()) {
    if (rule.planetBit == planetBit) rows.push_back(&rule);
  }
  return rows;
}

uint16_t itemValueFromTable(uint16_t blockId) {
  for (const Decoration& entry : DECORATIONS) {
    if (entry.blockId == blockId) return entry.decoration;
  }
  return 0;
}

const std::vector<ColoredBlock>& coloredBlocks() {
  static const std::vector<ColoredBlock> blocks = {
    {39, 4022, 0xF5F5F5},
    {103, 4023, 0x9B9B9B},
    {167, 4024, 0x545454},
    {231, 4025, 0xB46547},
    {295, 4026, 0xFFA104},
    {359, 4027, 0xF03F37},
    {423, 4028, 0xF0A6B0},
    {487, 4029, 0xE94A9F},
    {551, 4054, 0xC466F5},
    {615, 4055, 0x4876F9},
    {679, 4056, 0x00B2FF},
    {743, 4057, 0x5EE3EF},
    {807, 4058, 0xCBED41},
    {871, 4059, 0x43C549},
    {935, 4060, 0xFCE536},
  };
  return blocks;
}

bool isSpecialPlaceable(uint16_t id) {
  if (id >= SECOND_SPECIAL_FIRST && id <= SECOND_SPECIAL_LAST) return true;
  return std::any_of(coloredBlocks().begin(), coloredBlocks().end(),
                     [id](const ColoredBlock& block) { return block.blockId == id; });
}

bool isSpecialBlockId(uint16_t id) {
  return std::find(std::begin(SPECIAL_BLOCK_IDS), std::end(SPECIAL_BLOCK_IDS), id) !=
         std::end(SPECIAL_BLOCK_IDS);
}

int blockTier(uint16_t id) {
  if (id >= 35 && (id - 35) % 64 == 0 && (id - 35) / 64 < 15) return (id - 35) / 64 + 1;
  return 3;
}

bool sameBlockGroup(const CellInfo& a, const CellInfo& b) {
  const BlockGroup* first = groupOf(a.blockId());
  const BlockGroup* second = groupOf(b.blockId());
  return first != nullptr && second != nullptr && first->group == second->group;
}
