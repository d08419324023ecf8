#include "game/rules/brewing_rules.h"

#include "content/potions/potion_table.h"
#include "game/player/player.h"
#include "world/blocks/alchemy_lab.h"

namespace {
// Ingredient slots 0-2, the bottle in slot 3.
constexpr size_t kBottleSlot = 3;
}  // namespace

bool brewPotionAt(AlchemyLab& lab, PlayerBase* player) {
  if (!lab.brewing()) return false;  // closing the lab stopped the brew
  const PotionResult result = brewPotion(lab.itemAt(0), lab.itemAt(1), lab.itemAt(2), lab.itemAt(kBottleSlot));
  if (result.itemId == ITEM_NONE) return false;
  if (player != nullptr && player->takeBrew(lab, result)) return true;
  lab.brew(result);
  lab.setBrewing(false);
  // A client's player: its client's copy of the lab brews what the host's did.
  if (player != nullptr) player->potionBrewed(result);
  return true;
}
