#include "game/combat/player_attacker.h"

#include "content/items/item.h"
#include "game/combat/mob_hit.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"

PlayerAttacker::PlayerAttacker(PlayerBase& player) : player_(player), held_(player.heldItem()) {}

bool PlayerAttacker::halvesResistance() const {
  return itemKindOf(held_) == item_kind::kWeapon && held_->modifier() == mob_hit::kModPiercing;
}

float PlayerAttacker::lifeSteal() const { return itemWeaponBonus(held_) + player_.stats.lifeSteal; }

void PlayerAttacker::gainHealth(float amount) { player_.addHealth(amount); }

void PlayerAttacker::recordKill(uint16_t mobId) {
  player_.recordLocalStat(MobEntity::kKillStat, mobId);
}
