#include "content/items/trinket_pets.h"

#include <numbers>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/potions/potion_table.h"
#include "engine/base/random.h"

namespace {

constexpr int EQUIPMENT_SLOTS = 5;
constexpr uint16_t PATTERN_PET = 1885;
constexpr uint16_t POTION_PET = 1950;

struct PetDrops {
  uint16_t petId;
  std::vector<uint16_t> items;  // repeated ids weigh the draw
};

const std::vector<PetDrops>& petTable() {
  static const std::vector<PetDrops> pets = {
    {2078, {1428}},
    {2398, {64}},
    {2142, {45, 176, 179, 434, 495, 557, 749, 1517, 307, 429, 431, 622, 813, 1581, 3781, 174,
         366, 367, 432, 942, 1645, 3717, 113, 303, 371, 878, 1069, 1135, 107, 239, 687, 690,
         1074, 44, 175, 180, 1267, 2885, 3526, 111, 361, 561, 1006, 1200, 308, 564, 755, 814,
         2412, 3397}},
    {2206, {20, 20, 20, 20, 20, 148, 148, 148, 148, 84, 84, 84, 84, 212, 212, 212, 276, 276,
         276, 340, 340, 404, 404, 532, 596}},
    {2270, {990, 990, 990, 990, 990, 990, 990, 45, 45, 45, 109, 109, 109, 1694, 1694, 1694,
         1694, 1694, 1694, 784, 784, 784, 784, 784, 848, 1168, 848, 1168, 912, 1232, 976,
         1296}},
    {2334, {499, 750, 1136, 1202, 1769, 2693, 241, 686, 691, 1004, 1137, 1138, 498, 558, 563,
         754, 880, 109, 240, 243, 494, 685, 3205, 112, 177, 368, 430, 493, 1386, 302, 363, 370,
         1007, 1008, 1139, 237, 301, 816, 947, 1388, 173, 306, 496, 623, 882, 3654}},
    {2718, {158, 158, 158, 158, 1603, 1603, 1603, 1602, 1602, 1604}},
    {2590, {1233}},
    {2654, {114, 236, 500, 624, 626, 1838, 3462, 883, 1836, 2501, 2565, 3013, 3525, 3845, 244,
         1266, 1450, 1514, 3269, 3461, 3909, 169, 874, 879, 1068, 1072, 1073, 990, 1011, 1075,
         1118, 1196, 115, 178, 297, 435, 436, 560, 1265, 51, 815, 1199, 2476, 2949, 3782, 559,
         562, 1071, 1709, 3077}},
    {3230, {3698, 3890, 3826, 3762, 1501, 2738, 2929, 2994, 3249, 3954, 2737, 3057, 3121, 3185,
         3441, 3506, 3505, 3569, 3250, 3570, 2818, 2946, 3010}},
    {3358, {1362}},
    {3678, {242, 489, 818, 946, 1962, 2026, 48, 50, 1773, 2821, 3564, 425, 751, 881, 944, 1132,
         1133, 627, 753, 2373, 3141, 305, 372, 689, 943, 945, 2629, 625, 1770, 2437, 2757, 233,
         752, 1578, 1837, 3333, 3523, 304, 688, 1201, 1901}},
    {2143, {272, 400, 336, 464, 16, 144, 80, 208}},
    {2591, {847}},
    {2014, {45, 173, 1133, 626, 109, 754, 174}},
    {2015, {1616, 1872, 1487, 1423, 1743, 1615, 1551, 1807, 1937, 1553, 1617, 1745, 1809, 1873,
         2001, 1681, 1489, 1490, 1935, 1871, 1554, 1552, 1359, 1680, 1744, 1808, 2000, 1618,
         1682, 1746, 1810, 1874}},
    {1885, {41}},
    {1949, {1679, 911, 911, 911}},
    {1950, {2382, 2702}},
    {3536, {}},
    {2925, {}},
    {410, {}},
    {474, {}},
    {538, {}},
    {1309, {}},
    {602, {}},
    {399, {}},
  };
  return pets;
}

ItemSpawner*& registeredSpawner() {
  static ItemSpawner* spawner = nullptr;
  return spawner;
}

// A random coat pattern in the low 16 bits of the word: colours a, b and c.
uint32_t randomPattern() {
  const uint32_t a = static_cast<uint32_t>(engine::randomNext()) & 15;
  const uint32_t b = static_cast<uint32_t>(engine::randomNext()) & 31;
  const uint32_t c = static_cast<uint32_t>(engine::randomNext()) & 31;
  return (a << 10) | b | (c << 5);
}

// The potion pet brings ready potions of the first two potions of the table.
uint32_t potionWordFor(uint16_t itemId) {
  const auto& defs = potionDefs();
  if (itemId == 2382) return (static_cast<uint32_t>(defs[0].code) << 6) | 63;
  if (itemId == 2702) return (static_cast<uint32_t>(defs[1].code) << 6) | 63;
  return 0;
}

}  // namespace

void NullItemSpawner::spawnItemEntity(Item* item, engine::Vec2, MapBlock*, float, float, bool) {
  freeItem(item);
}

ItemSpawner& itemSpawner() {
  static NullItemSpawner none;
  ItemSpawner* spawner = registeredSpawner();
  return spawner ? *spawner : none;
}

void setItemSpawner(ItemSpawner* spawner) { registeredSpawner() = spawner; }

const std::vector<uint16_t>* petDropList(uint16_t petItemId) {
  for (const PetDrops& pet : petTable()) {
    if (pet.petId == petItemId) return &pet.items;
  }
  return nullptr;
}

void dropFromTrinketPets(const TrinketPetOwner& player) {
  for (int slot = 0; slot < EQUIPMENT_SLOTS; ++slot) {
    const Item* worn = player.equipmentItem(0, slot);
    if (worn == nullptr || worn->isNone()) continue;
    const std::vector<uint16_t>* list = petDropList(worn->id);
    if (list == nullptr || list->empty()) continue;
    if (!(PET_DROP_CHANCE > static_cast<float>(engine::randomNext()) / 32768.0f)) continue;
    const size_t entry =
        list->size() == 1 ? 0 : static_cast<size_t>(engine::randomNext()) % list->size();
    Item* drop = newItem((*list)[entry], -1, 1, -1, 0);
    if (worn->id == PATTERN_PET) drop->word = (drop->word & 0xFFFF0000u) | randomPattern();
    if (worn->id == POTION_PET) drop->word = potionWordFor(drop->id);
    const int r = engine::randomNext();
    const float angle = static_cast<float>(110 - r % 40) * std::numbers::pi_v<float> / 180.0f;
    itemSpawner().spawnItemEntity(drop, player.position(), player.visibleMapBlock(),
                                  PET_DROP_SPEED, angle, false);
  }
}
