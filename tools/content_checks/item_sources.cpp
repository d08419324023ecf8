#include "tools/content_checks/item_sources.h"

#include "tools/content_checks/fixed_ids.h"

namespace content_checks {

namespace {

constexpr uint16_t kFishingRod = 15;   // the plainest rod catches from the whole catch table
constexpr uint16_t kForge = 88;
constexpr uint16_t kAlchemyLab = 1368;
constexpr uint16_t kBottle = 1870;
constexpr uint16_t kFailedBrew = 2063;

CodeItemSource smelt(uint16_t input, uint16_t output) {
  return {"Forge::smeltStep smelting table", {output}, {input, kForge}};
}

CodeItemSource fixedDrop(uint16_t key, uint16_t result) {
  return {"rollDropFor fixed drops", {result}, {key}};
}

CodeItemSource stableItem(uint16_t mob, uint16_t item) {
  return {"stableItemForMob capture table", {item}, {}, {mob}};
}

std::vector<CodeItemSource> buildSources() {
  std::vector<CodeItemSource> rows = {
      smelt(65, 1538),   smelt(735, 1474),  smelt(256, 1602),  smelt(257, 1666),  smelt(448, 1730),
      smelt(449, 1794),  smelt(640, 1858),  smelt(832, 1922),  smelt(1024, 1986), smelt(1183, 1247),
      smelt(543, 606),   smelt(2210, 1762), smelt(2209, 1762), smelt(2917, 1762), smelt(170, 234),
      smelt(298, 362),   smelt(426, 490),   smelt(554, 618),   smelt(877, 941),   smelt(812, 876),
      smelt(2760, 3720), smelt(682, 746),   smelt(2984, 1762), smelt(1216, 1359),
      fixedDrop(63, 64),    fixedDrop(127, 65),   fixedDrop(191, 256),  fixedDrop(255, 257),
      fixedDrop(319, 448),  fixedDrop(383, 449),  fixedDrop(447, 640),  fixedDrop(511, 832),
      fixedDrop(575, 1024), fixedDrop(639, 1669), fixedDrop(703, 1797), fixedDrop(767, 1670),
      fixedDrop(831, 1798), fixedDrop(895, 1542), fixedDrop(959, 1541), fixedDrop(1727, 1414),
      fixedDrop(1599, 1413), fixedDrop(1663, 1415), fixedDrop(1407, 144), fixedDrop(1471, 208),
      fixedDrop(1535, 528),
      {"pickFishingCatch catch table",
       {57,   505,  633,  761,  825,  1081, 1529, 2041, 2105, 2233, 2297, 2361, 2681, 185,  313,  1657, 1465,
        252,  444,  508,  764,  1020, 1276, 1532, 1724, 1788, 2108, 1980, 2492, 2812, 2876, 3196, 3388, 3516,
        3708, 2303, 2239, 2111, 1983, 2495, 2751, 3007, 3647, 3327, 4027, 377,  697,  1017, 1145, 1209, 1337,
        1593, 1721, 1849, 1913, 2489, 2745, 2873, 2937, 1977, 2169, 953,  1785, 124,  188,  380,  572,  700,
        892,  1084, 1212, 1340, 1468, 1596, 1916, 2236, 2044, 2300, 2428, 2620, 2748, 3004, 3132, 3324, 3452,
        3580, 3772, 2431, 1919, 2943, 3583, 3263, 3199, 3135, 3709, 3901, 3710, 3838, 4029, 4094, 4095, 121,
        441,  569,  889,  1273, 2553, 2617, 2809, 3001, 2425, 1401, 249,  60,   316,  636,  828,  956,  1148,
        1404, 1660, 1852, 2172, 2364, 2556, 2684, 2940, 3068, 3260, 3644, 3836, 2367, 2047, 1855, 3071, 2623,
        2815, 3711, 3455, 3773, 3646, 4091, 4028, 63,   127,  191,  255,  319,  383,  511,  447,  575,  639,
        703,  767,  831,  895,  959,  1599, 1663, 1727, 1343, 1023, 1087, 1151, 1215, 435,  563,  499,  755,
        627,  691,  3564, 3628, 3692, 3756, 3820, 3755, 1407, 1471, 2687, 3519, 3645, 3837, 3774, 3902, 4093,
        4030, 1117, 1245, 1181, 1279, 3806, 3608, 2845, 3742, 1535, 335,  1791, 2175, 2559, 2879, 3391, 4092,
        4031},
       {kFishingRod}},
      {"Stable production", {420}, {}, {50}},
      {"Stable production", {682}, {}, {107}},
      {"Stable production", {810}, {}, {195}},
      {"Stable production", {810}, {}, {196}},
      {"Stable production", {810}, {}, {197}},
      {"Stable release of an adult", {862}, {2407}},
      {"craft container returns", {36}, {100}},
      {"craft container returns", {36}, {292}},
      {"craft container returns", {356}, {420}},
      {"craft container returns", {356}, {804}},
      {"craft container returns", {1374}, {2057}},
      {"dropFromTrinketPets pet drops", {1428}, {2078}},
      {"dropFromTrinketPets pet drops", {64}, {2398}},
      {"dropFromTrinketPets pet drops", {20, 148, 84, 212, 276, 340, 404, 532, 596}, {2206}},
      {"dropFromTrinketPets pet drops",
       {990, 45, 109, 1694, 784, 848, 1168, 912, 1232, 976, 1296}, {2270}},
      {"dropFromTrinketPets pet drops", {158, 1603, 1602, 1604}, {2718}},
      {"dropFromTrinketPets pet drops", {1233}, {2590}},
      {"dropFromTrinketPets pet drops",
       {3698, 3890, 3826, 3762, 1501, 2738, 2929, 2994, 3249, 3954, 2737, 3057, 3121, 3185, 3441, 3506, 3505,
        3569, 3250, 3570, 2818, 2946, 3010},
       {3230}},
      {"dropFromTrinketPets pet drops", {1362}, {3358}},
      {"dropFromTrinketPets pet drops", {272, 400, 336, 464, 16, 144, 80, 208}, {2143}},
      {"dropFromTrinketPets pet drops", {847}, {2591}},
      {"dropFromTrinketPets pet drops", {45, 173, 1133, 626, 109, 754, 174}, {2014}},
      {"dropFromTrinketPets pet drops",
       {1616, 1872, 1487, 1423, 1743, 1615, 1551, 1807, 1937, 1553, 1617, 1745, 1809, 1873, 2001, 1681, 1489,
        1490, 1935, 1871, 1554, 1552, 1359, 1680, 1744, 1808, 2000, 1618, 1682, 1746, 1810, 1874},
       {2015}},
      {"dropFromTrinketPets pet drops", {41}, {1885}},
      {"dropFromTrinketPets pet drops", {1679, 911}, {1949}},
      {"dropFromTrinketPets pet drops", {2382, 2702}, {1950}},
  };
  std::vector<uint16_t> brewed = idSeries(2126, 64, 15);
  brewed.push_back(kFailedBrew);
  rows.push_back({"brewPotion", brewed, {kAlchemyLab, kBottle}});
  // Breeding pairs of the stable table: capturing either parent gives its pocket item.
  const uint16_t pairs[][2] = {
      {145, 27},   {146, 91},   {22, 283},   {50, 347},   {180, 155},  {107, 219},  {175, 28},
      {197, 92},   {174, 156},  {196, 220},  {195, 348},  {173, 284},  {66, 731},   {67, 732},
      {69, 923},   {70, 924},   {78, 859},   {79, 860},   {72, 795},   {73, 796},   {75, 987},
      {76, 988},   {29, 539},   {31, 540},   {26, 475},   {28, 476},   {38, 411},   {40, 412},
      {32, 603},   {34, 604},   {35, 667},   {37, 668},   {5, 1116},   {6, 1115},   {11, 1052},
      {12, 1051},  {7, 1244},   {8, 1243},   {9, 1180},   {10, 1179},  {13, 1308},  {14, 1307},
      {169, 26},   {172, 218},  {168, 154},  {171, 346},  {167, 90},   {170, 282},
  };
  for (const auto& pair : pairs) rows.push_back(stableItem(pair[0], pair[1]));
  // Fruit-bearing blocks and the fruit they give when harvested.
  const uint16_t fruits[][2] = {
      {2373, 2692}, {2374, 2628}, {2395, 2756}, {2375, 2244}, {2376, 2500}, {2478, 2052}, {2394, 2436},
      {2414, 2820}, {2398, 2564}, {2413, 3140}, {2396, 3076}, {2397, 3012}, {2415, 3204}, {2463, 2308},
      {2455, 2372}, {2461, 3716}, {2477, 3716}, {2479, 3908}, {2509, 3972}, {2507, 3652}, {1146, 3844},
      {1976, 3268}, {1975, 3268}, {857, 4035},  {855, 4035},  {515, 2437},  {2563, 2757}, {2595, 2757},
      {520, 2885},  {519, 2885},  {2853, 3013}, {3207, 3269}, {1805, 2501}, {1740, 2501}, {1587, 2565},
      {1588, 2565}, {2883, 2629}, {2851, 2629}, {2659, 2693}, {2627, 2693}, {3053, 1964}, {3021, 1964},
      {1260, 1964}, {1228, 1964}, {1067, 1834}, {1069, 1834}, {1108, 3973}, {1076, 3973}, {982, 2738},
      {1014, 2738}, {1172, 2884}, {1170, 2884}, {3191, 2090}, {3189, 2090}, {2973, 3651}, {2941, 3651},
      {893, 3971},  {861, 3971},  {2966, 3587}, {2934, 3587}, {891, 2180},  {859, 2180},  {860, 3907},
      {3830, 3715}, {3798, 3715}, {4044, 3779}, {4012, 3779}, {3756, 2412}, {3609, 3526}, {3641, 3526},
      {3545, 818},  {3867, 3462}, {3868, 3462}, {3381, 2476}, {3513, 818},  {4046, 1260},
  };
  for (const auto& fruit : fruits) rows.push_back({"fruit table of the growth rules", {fruit[1]}, {}, {}, {fruit[0]}});
  return rows;
}

}  // namespace

const std::vector<CodeItemSource>& codeItemSources() {
  static const std::vector<CodeItemSource> rows = buildSources();
  return rows;
}

const std::vector<uint16_t>& stationItems() {
  // Kind 0 crafts by hand and needs nothing.
  static const std::vector<uint16_t> items = {0,   24,  152, 216, 408, 1304, 1688, 1240,
                                              472, 536, 600, 664, 280, 344,  88,   1368};
  return items;
}

std::vector<uint16_t> lootPotionItems() { return idSeries(2126, 64, 15); }

}  // namespace content_checks
