#include "tools/content_checks/fixed_ids.h"

#include <initializer_list>

#include "world/cells/block_flags.h"

namespace content_checks {

std::vector<uint16_t> idSeries(uint16_t first, uint16_t step, uint16_t count) {
  std::vector<uint16_t> ids;
  for (uint16_t k = 0; k < count; ++k) ids.push_back(static_cast<uint16_t>(first + step * k));
  return ids;
}

std::vector<uint16_t> idRange(uint16_t first, uint16_t last) {
  std::vector<uint16_t> ids;
  for (uint32_t id = first; id <= last; ++id) ids.push_back(static_cast<uint16_t>(id));
  return ids;
}

namespace {

std::vector<uint16_t> join(std::initializer_list<std::vector<uint16_t>> parts) {
  std::vector<uint16_t> ids;
  for (const auto& part : parts) ids.insert(ids.end(), part.begin(), part.end());
  return ids;
}

constexpr uint64_t bit(int n) { return 1ull << n; }

// Block flag bits the rules test, as masks of the flag word.
constexpr uint64_t kBreakable = bit(block_flag::kBreakable);
constexpr uint64_t kPortalFrame = bit(block_flag::kPortalFrame);
constexpr uint64_t kEmitsLight = bit(block_flag::kEmitsLight);
constexpr uint64_t kStation = bit(block_flag::kCraftingStation);
constexpr uint64_t kPaintDecoration = bit(block_flag::kSpecialDeco);
constexpr uint64_t kShelf = bit(block_flag::kShelf);
constexpr uint64_t kCircuitPart = bit(block_flag::kCircuitComponent);
constexpr uint64_t kCircuitOutput = bit(block_flag::kCircuitOutput);

}  // namespace

const std::vector<FixedBlock>& fixedBlocks() {
  static const std::vector<FixedBlock> table = {
      {{1, 2, 3, 4}, "protection block (guards an area around it)"},
      {{14}, "surface decoration that replaces the cell's other decorations"},
      {{32, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 46, 47}, "crafting station", kStation},
      // Using a station block opens the station list first, so these two would never open.
      {{33}, "forge (opens its smelting slots)", 0, kStation},
      {{45}, "alchemy lab (opens its brewing slots)", 0, kStation},
      {{44}, "portal block inside a portal frame"},
      {{82}, "block made where two liquids meet"},
      {{84}, "bedrock (must not be breakable)", 0, kBreakable},
      {{98, 99, 100, 101, 102, 1539, 1540, 1541, 1571, 1572, 1573, 1574, 1575, 1576, 1577, 1578, 1603,
        1604, 1605, 1607, 1608, 1609, 1610},
       "treasure chest counted when destroyed"},
      {{103, 106, 144}, "bonus-drop block"},
      {{117, 121}, "shadow edge drawn by the view (one variant per side)", 0, 0, 4},
      {{126}, "tile marker drawn by the view"},
      {{127}, "open-container marker and sign post"},
      {{130}, "support under stacked blocks"},
      {{137, 138, 139, 140, 141, 142, 213, 236, 237, 1606, 2116}, "chest"},
      {{143, 2401}, "fence that joins stables"},
      {{180}, "sofa counted by an achievement"},
      {{185}, "horizontal run (first, middle, last, single)", 0, 0, 4},
      {{191}, "lit explosive"},
      {{201}, "tree seed placeholder"},
      {{205, 206}, "clock"},
      {{214}, "lock mark"},
      {{239}, "explosive charge (also how a lit charge is saved)"},
      {{228, 1004, 1020}, "special bed"},
      {{255}, "cave shade drawn by the view"},
      {{258, 260, 288}, "big door"},
      {{264, 267, 280, 290, 330, 396, 501, 536, 2434, 2458}, "block counted by an achievement"},
      {{352, 353, 354, 355, 2407, 2408, 2409, 2410}, "stable"},
      {{374, 2090}, "toggled block (variant 1 is open)", 0, 0, 2},
      {idRange(467, 473), "lock decoration a key opens"},
      {join({idSeries(592, 32, 8), idSeries(593, 32, 8), idSeries(594, 32, 8), idSeries(595, 32, 8),
             idSeries(596, 32, 8), idSeries(597, 32, 8), idSeries(598, 32, 8)}),
       "part of a multi-part bed"},
      {join({{324, 210, 224, 179, 1733, 1880, 1446, 212, 527}, idSeries(606, 32, 8), idSeries(602, 32, 8),
             idSeries(603, 32, 8), idRange(320, 323)}),
       "shelf", kShelf},
      {{2064, 2096, 2081, 2080, 2056, 2050, 2048, 2049, 2051, 2054, 2052, 2053, 2055, 2059, 2057, 2058,
        2083, 2060, 2061, 2082, 2063},
       "circuit part", kCircuitPart},
      {{2084, 2086, 2088, 2094, 2095, 2112, 2114, 2117, 2118, 2119, 2148}, "circuit device"},
      // A lamp's light follows its variant and its switching is the lamp's own: a block that emits
      // by itself would shine while off (and a coloured lamp would shine in no colour at all), and a
      // generic switch would never set the coloured lamp's colour.
      {{2112, 2114}, "lamp lit by its variant", 0, kEmitsLight | kCircuitOutput, 2},
      {{2064, 2096, 2128}, "circuit overlay drawn by the view (sixteen states)", 0, 0, 16},
      {{2208}, "planted gene flower"},
      {idRange(2212, 2226), "flower pot"},
      {idRange(2240, 2303), "gene flower or stem decoration"},
      {idRange(2317, 2328), "hive"},
      {{2381, 2382, 2435}, "block a plant needs below it"},
      {{2599}, "sign"},
      {{2601}, "sign plate"},
      {idRange(2755, 2766), "portal frame (arrival block of a planet)", kPortalFrame},
      {idRange(2787, 2798), "planet link block"},
      {join({idRange(4022, 4029), idRange(4054, 4060)}), "paint decoration", kPaintDecoration},
      {{90, 149, 181, 277, 341, 1732, 1939, 3882, 3988}, "torch", kEmitsLight},
      {{33, 37, 90, 129, 147, 149, 151, 166, 181, 183, 243, 245, 277, 333, 338, 341, 376, 377, 378, 379,
        380, 381, 382, 383, 1005, 1013, 1302, 1547, 1732, 1766, 1818, 1863, 1932, 1938, 1939, 2400,
        2433, 2434, 2799, 2905, 2991, 3272, 3280, 3283, 3421, 3477, 3478, 3501, 3502, 3716, 3721, 3785,
        3847, 3865, 3882, 3889, 3988, 4007},
       "light source with glints", kEmitsLight},
      {{147, 149, 151, 181, 183, 243, 245, 277, 333, 338, 341}, "wall or floor light (one variant per side)",
       kEmitsLight, 0, 2},
      {{201, 715, 1492, 1778, 3047, 3363, 4069, 3535, 3704, 869, 2981, 1988, 1990, 879, 1293}, "nest"},
      // Root, lower trunk, trunk and leaves of the tree rows of the growth table. A walker passes a
      // tree, its trunk as its leaves, and a trunk cut at its foot leaves nothing in her way.
      {{1155, 1157, 1123, 1127, 2039, 2007, 1975, 1976, 1258, 1226, 1228, 1260, 853, 888, 855, 857, 579,
        581, 611, 613, 779, 780, 747, 931, 901, 899, 867, 3663, 3665, 3631, 3633, 1098, 1100, 1069, 1067,
        3156, 3124, 3118, 3120, 3051, 3019, 3021, 3053, 3154, 3122, 3150, 3152, 1014, 982, 1135, 1137,
        1170, 1172, 3221, 3223, 3189, 3191, 1199, 1201, 1167, 1203, 1193, 1195, 1290, 3436, 3404, 3372,
        3373, 3839, 3807, 3931, 3930, 3995, 3963, 3899, 3898, 3467, 3465, 3496, 3463, 3448, 3449, 3416,
        3417, 3468, 3469, 3498, 3470, 3058, 3060, 3062, 3064, 3026, 3028, 3030, 3032, 2539, 2540, 2542,
        2543},
       "tree block of a growth spec", 0, 0, 0, true},
      {{235, 276, 2005, 1973, 409, 416, 419, 426, 2337, 2338, 2340, 2414, 2430, 2546, 1731},
       "planted block of a plant row"},
  };
  return table;
}

const std::vector<FixedItem>& fixedItems() {
  using N = ItemRecordNeed;
  static const std::vector<FixedItem> table = {
      {{2, 66, 4, 68, 258, 260, 261, 322, 324, 325, 386, 388, 389, 514, 516, 517, 578, 580, 581},
       "tool counted by an achievement", {1}, N::Tool},
      {{3, 67, 770, 834}, "melee weapon counted by an achievement", {5}, N::Tool},
      {{7, 71}, "thrown weapon counted by an achievement", {6}, N::Ranged},
      {{15, 79, 143, 207, 271, 335, 399}, "fishing rod", {6}, N::Ranged, true},
      {idSeries(16, 64, 9), "rod bobber or lure"},
      {idSeries(19, 64, 7), "key"},
      {{20, 84, 148, 212, 276, 340, 404, 532, 596, 655, 916, 1429, 1556, 1363}, "ammunition"},
      {{775, 783, 782, 838, 839, 846, 850, 902, 903, 910, 967, 974, 1031, 1038, 1095, 1102, 1166, 1230,
        1235, 1294},
       "weapon that fires ammunition", {6}, N::Ranged},
      {{1298}, "firework launcher (its rockets burst into sub-rockets)", {6}, N::Ranged, false, 25},
      {{914, 915, 978, 979, 1043, 1151, 1215, 3757, 3821, 3885, 3949}, "toy", {6}, N::Ranged},
      {{720, 784, 848, 849, 912, 976, 1023, 1042, 1104, 1168, 1232, 1296, 1360, 1361, 1425, 1426},
       "spawning item", {6, 7}},
      {{913, 977, 1041, 1105, 1169, 1171, 1233, 1295, 1297}, "mob spawner", {6, 7}},
      {{410, 474, 538, 602, 1309, 1885, 1949, 1950, 2014, 2015, 2078, 2142, 2143, 2206, 2270, 2334, 2398,
        2590, 2591, 2654, 2718, 2925, 3230, 3358, 3536, 3678},
       "pet worn in the trinket slots", {7}, N::Buff},
      {idSeries(2126, 64, 15), "potion"},
      {{1870, 1934, 1998, 2062}, "potion bottle"},
      {{2063}, "failed brew"},
      {{45, 176, 179, 434, 495, 557, 749, 1517, 307, 429, 431, 622, 813, 1581, 3781, 174, 366, 367, 432,
        942, 1645, 3717, 113, 303, 371, 878, 1069, 1135, 107, 239, 687, 690, 1074, 44, 175, 180, 1267,
        2885, 3526, 111, 361, 561, 1006, 1200, 308, 564, 755, 814, 2412, 3397, 499, 750, 1136, 1202,
        1769, 2693, 241, 686, 691, 1004, 1137, 1138, 498, 558, 563, 754, 880, 109, 240, 243, 494, 685,
        3205, 112, 177, 368, 430, 493, 1386, 302, 363, 370, 1007, 1008, 1139, 237, 301, 816, 947, 1388,
        173, 306, 496, 623, 882, 3654, 114, 236, 500, 624, 626, 1838, 3462, 883, 1836, 2501, 2565, 3013,
        3525, 3845, 244, 1266, 1450, 1514, 3269, 3461, 3909, 169, 874, 879, 1068, 1072, 1073, 990, 1011,
        1075, 1118, 1196, 115, 178, 297, 435, 436, 560, 1265, 51, 815, 1199, 2476, 2949, 3782, 559, 562,
        1071, 1709, 3077, 242, 489, 818, 946, 1962, 2026, 48, 50, 1773, 2821, 3564, 425, 751, 881, 944,
        1132, 1133, 627, 753, 2373, 3141, 305, 372, 689, 943, 945, 2629, 625, 1770, 2437, 2757, 233, 752,
        1578, 1837, 3333, 3523, 304, 688, 1201, 1901},
       "alchemy ingredient"},
      {join({idSeries(63, 64, 15), idSeries(1407, 64, 6)}), "sealed container that gives a fixed drop",
       {2}},
      {idSeries(35, 64, 15), "relic with its own tier"},
      {{55, 56, 311, 567, 823, 1079, 1335, 1591, 1847, 2103, 2359, 2615, 2871, 3127, 3383},
       "item that replaces a retired one in old saves"},
      {{1551, 1553, 1554, 1615, 1616, 1617, 1618, 1681, 1682, 1745, 1746, 1809, 1810, 1871, 1872, 1873,
        1874, 1935, 1936, 1937, 2000, 2001},
       "circuit part item"},
      {{34, 3679, 3680, 3681, 3682, 3683, 3684, 3685, 3686}, "bed counted by an achievement"},
      {{36, 356, 1374, 100, 292, 420, 804, 2057}, "recipe item with a container given back"},
      {{354, 484, 537, 682, 746, 810, 835, 862, 1040, 1054, 1122, 1362, 1500, 1501, 1502, 1886, 2052},
       "item the rules name"},
      {{1635, 866, 738, 930, 1520, 1589, 1968, 2536, 1758, 1759, 1823, 1887}, "shelf item"},
      {join({idRange(4063, 4070), idRange(3807, 3814), idRange(3871, 3878)}), "shelf item"},
      {{3829, 3739, 3218, 2134, 3417, 2275, 3522, 959, 2312, 1373}, "collection page icon"},
  };
  return table;
}

const std::vector<FixedPlacer>& fixedPlacers() {
  static const std::vector<FixedPlacer> table = {
      {24, 32, "workbench"},       {152, 34, "anvil"},          {216, 35, "tinkerer's table"},
      {408, 38, "jeweler's bench"}, {1304, 43, "carpentry bench"}, {1688, 46, "electrician's bench"},
      {1240, 47, "mason bench"},   {472, 39, "spinning wheel"}, {536, 40, "loom"},
      {600, 41, "dyeing machine"}, {664, 42, "tanning rack"},   {280, 36, "cooking ware"},
      {344, 37, "cooking pot"},    {88, 33, "forge"},           {1368, 45, "alchemy lab"},
      {25, 213, "wooden chest"},   {89, 138, "chest"},          {153, 137, "chest"},
      {217, 139, "chest"},         {281, 140, "chest"},         {345, 141, "chest"},
      {409, 142, "chest"},         {601, 236, "chest"},         {665, 237, "chest"},
      {537, 1606, "bottomless chest"}, {1807, 2116, "item dispenser"}, {41, 2208, "gene seed"},
  };
  return table;
}

const std::vector<FixedMob>& fixedMobs() {
  static const std::vector<FixedMob> table = {
      {{82, 83}, "exploding mob"},
      {{453, 466}, "mob that splits, and what it splits into"},
      {join({idRange(220, 227), {276, 277, 301, 302, 371, 372, 458}, idRange(420, 423), idRange(474, 491)}),
       "member of a splitting family"},
      {join({idRange(493, 762), idRange(787, 813)}), "member of a planet's splitting family"},
      {idRange(863, 899), "hive queen or its minion"},
      {{184, 188, 189, 199, 233, 238, 239, 240, 241, 251, 253, 256, 315, 316, 373, 818}, "nest mob"},
      {join({idRange(5, 14), {22, 23}, idRange(26, 40), {44, 50}, idRange(66, 80), idRange(85, 89), {107},
             idRange(117, 122), idRange(145, 147), idRange(167, 175), {180}, idRange(195, 197)}),
       "stable animal"},
      {join({idRange(148, 166), idRange(291, 294), idRange(303, 306), {308, 309}, idRange(345, 353),
             idRange(383, 388), idRange(438, 443), idRange(469, 473), {814, 815, 826}, idRange(830, 861)}),
       "critter that can be captured"},
      {join({{2, 3, 4, 123, 124, 140, 141, 43}, idRange(52, 57), {176, 178, 229, 65, 101}, idRange(103, 106),
             idRange(129, 133), {143, 144, 179, 185, 187, 191, 199, 200, 205, 206, 207, 208, 209, 201},
             idRange(212, 217), {230, 231, 232, 233}, idRange(235, 238), idRange(251, 254),
             {256, 258, 259, 260, 261}}),
       "mob counted by a kill achievement"},
  };
  return table;
}

const std::vector<FixedBullet>& fixedBullets() {
  static const std::vector<FixedBullet> table = {
      {{1, 16, 34, 58, 61, 68, 83, 97, 98, 107, 110, 111, 123}, "projectile that releases a mob"},
      {{7, 12, 64, 78, 85, 88, 91, 102}, "explosive projectile"},
      {{9, 92, 96}, "sticky explosive projectile", true},
      {{24, 25, 35}, "firework rocket"},
      {{121}, "timed charge", true},
      {{122}, "glider"},
      {idRange(135, 146), "wall-chipping projectile"},
  };
  return table;
}

const std::vector<uint16_t>& unplaceableBlocks() {
  // 255 is the break marker of block edits; the others are sprite cells of overlay variants.
  static const std::vector<uint16_t> ids =
      join({{255}, idRange(118, 120), idRange(122, 124), idRange(2065, 2079), idRange(2097, 2111),
            idRange(2129, 2143)});
  return ids;
}

}  // namespace content_checks
