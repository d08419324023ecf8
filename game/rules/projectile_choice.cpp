#include "game/rules/projectile_choice.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "engine/base/random.h"
#include "game/player/player_base.h"

namespace {

constexpr uint16_t kDyeGun = 1362;
constexpr uint16_t kFirework = 1042;

bool listed(std::initializer_list<uint16_t> ids, uint16_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

uint16_t randomColourWord() {
  uint16_t word = 0;
  for (int shift = 12; shift >= 0; shift -= 4) word |= static_cast<uint16_t>((engine::randomNext() % 15 + 1) << shift);
  return word;
}

// The projectile the item's own ranged record names; -1 for none.
int16_t ownProjectile(uint16_t itemId, float& speed) {
  if (itemId >= content::kItemIdLimit) return -1;
  const ItemDef& def = contentTables().itemDefs[itemId];
  if (def.rangedSpec == nullptr) return -1;
  speed = def.rangedSpec->speedFactor();
  const uint16_t thrown = def.rangedSpec->ammunition();
  return thrown == content::kNoItem ? static_cast<int16_t>(itemId) : static_cast<int16_t>(thrown);
}

}  // namespace

bool acceptsAmmunition(uint16_t weapon, uint16_t ammunition, bool& rangeFlag) {
  rangeFlag = false;
  if (listed({775, 838, 839, 902, 903, 967, 1031, 1095}, weapon)) return ammunition == 916;
  if (weapon == 783) return ammunition == 1429;
  if (weapon == 850) return ammunition == 1556;
  if (weapon == 1235) return ammunition == 1363;
  if (listed({782, 846, 910, 974, 1038, 1102, 1166, 1230, 1294}, weapon)) {
    return listed({20, 84, 148, 212, 276, 340, 404, 532, 596, 655}, ammunition);
  }
  if (listed({15, 79, 143, 207, 271, 335, 399}, weapon)) {
    rangeFlag = true;
    return ammunition >= 16 && ammunition <= 528 && (ammunition - 16) % 64 == 0;
  }
  return false;
}

Logic::ProjectileChoice chooseProjectile(bool creative, const PlayerBase* player, const Item& item) {
  Logic::ProjectileChoice choice;
  choice.word = static_cast<uint16_t>(item.word);
  if (item.id == kDyeGun || (item.id == kFirework && creative)) choice.word = randomColourWord();
  const ItemDef* def = item.id < content::kItemIdLimit ? &contentTables().itemDefs[item.id] : nullptr;
  const bool needsAmmunition = def != nullptr && def->rangedSpec != nullptr && def->rangedSpec->needsAmmunition();
  if (!needsAmmunition || player == nullptr) {
    choice.itemId = ownProjectile(item.id, choice.baseSpeed);
    return choice;
  }
  const Item* ammunition = player->ammunition();
  bool rangeFlag = false;
  if (ammunition == nullptr || ammunition->isNone() || !acceptsAmmunition(item.id, ammunition->id, rangeFlag)) {
    return choice;
  }
  choice.itemId = ownProjectile(ammunition->id, choice.baseSpeed);
  choice.rangeFlag = rangeFlag ? 1 : 0;
  return choice;
}

bool firesFromAmmunitionSlot(const Item& weapon) {
  const ItemDef* def = weapon.definition();
  return def != nullptr && def->rangedSpec != nullptr && def->rangedSpec->needsAmmunition();
}
