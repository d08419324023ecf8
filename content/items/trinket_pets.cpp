#include "content/items/trinket_pets.h"

#include <numbers>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/potions/potion_ingredients.h"
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

// The four ingredient pets each bring the ingredients of a quarter of the alchemy values, so their
// lists follow the ingredient table instead of repeating it.
const std::vector<PetDrops>& petTable() {
  static const std::vector<PetDrops> pets = {
    {2078, {1428}},
    {2398, {64}},
    {2142, ingredientsOfValues(0, 7)},
    {2206, {20, 20, 20, 20, 20, 148, 148, 148, 148, 84, 84, 84, 84, 212, 212, 212, 276, 276,
         276, 340, 340, 404, 404, 532, 596}},
    {2270, {990, 990, 990, 990, 990, 990, 990, 45, 45, 45, 109, 109, 109, 1694, 1694, 1694,
         1694, 1694, 1694, 784, 784, 784, 784, 784, 848, 1168, 848, 1168, 912, 1232, 976,
         1296}},
    {2334, ingredientsOfValues(8, 15)},
    {2718, {158, 158, 158, 158, 1603, 1603, 1603, 1602, 1602, 1604}},
    {2590, {1233}},
    {2654, ingredientsOfValues(16, 23)},
    {3230, {3698, 3890, 3826, 3762, 1501, 2738, 2929, 2994, 3249, 3954, 2737, 3057, 3121, 3185,
         3441, 3506, 3505, 3569, 3250, 3570, 2818, 2946, 3010}},
    {3358, {1362}},
    {3678, ingredientsOfValues(24, 31)},
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

const std::vector<uint16_t>* petDropList(uint16_t petItemId) {
  for (const PetDrops& pet : petTable()) {
    if (pet.petId == petItemId) return &pet.items;
  }
  return nullptr;
}

void dropFromTrinketPets(const TrinketPetOwner& player, ItemSpawner& spawner) {
  for (int slot = 0; slot < EQUIPMENT_SLOTS; ++slot) {
    const Item* worn = player.equipmentItem(0, slot);
    if (worn == nullptr || worn->isNone()) continue;
    const std::vector<uint16_t>* list = petDropList(worn->id);
    if (list == nullptr || list->empty()) continue;
    if (!(PET_DROP_CHANCE > static_cast<float>(engine::randomNext()) / 32768.0f)) continue;
    const size_t entry =
        list->size() == 1 ? 0 : static_cast<size_t>(engine::randomNext()) % list->size();
    ItemPtr drop = newItem((*list)[entry], -1, 1, -1, 0);
    if (drop == nullptr) continue;
    if (worn->id == PATTERN_PET) drop->word = (drop->word & 0xFFFF0000u) | randomPattern();
    if (worn->id == POTION_PET) drop->word = potionWordFor(drop->id);
    const int r = engine::randomNext();
    const float angle = static_cast<float>(110 - r % 40) * std::numbers::pi_v<float> / 180.0f;
    spawner.spawnItemEntity(std::move(drop), player.position(), player.visibleMapBlock(), PET_DROP_SPEED, angle, false);
  }
}
