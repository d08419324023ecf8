#include "game/combat/mob_hit.h"

#include <cmath>

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "engine/base/random.h"
#include "entities/mobs/mob_entity.h"
#include "game/combat/player_attacker.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_base.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr size_t kKnockBackStat = 4;   // the second f32 of the tool record's stat list
constexpr size_t kWeaponBonusStat = 8;  // the third

const ToolSpec* toolOf(const Item* item) {
  const ItemDef* def = item != nullptr && !item->isNone() ? item->definition() : nullptr;
  return def != nullptr ? def->tool : nullptr;
}

}  // namespace

float itemWeaponBonus(const Item* item) {
  const ToolSpec* tool = toolOf(item);
  if (tool == nullptr || itemKindOf(item) != item_kind::kWeapon) return 0;
  return tool->f32(kWeaponBonusStat) + (item->modifier() == mob_hit::kModVampiric ? 0.2f : 0.0f);
}

float heldKnockBack(const Item* item) {
  const uint8_t kind = itemKindOf(item);
  const ToolSpec* tool = toolOf(item);
  if (tool == nullptr || (kind != item_kind::kTool && kind != item_kind::kWeapon)) return mob_hit::kBareKnockBack;
  return tool->f32(kKnockBackStat) * (item->modifier() == mob_hit::kModStrong ? 1.25f : 1.0f);
}

bool hitMobByPlayer(const MobHitRules& rules, PlayerBase& player, MobEntity& mob) {
  const DamageSpec roll = player.rollAttackDamage();
  const bool creative = mob.world().isCreative();
  const float amount = creative ? mob_hit::kCreativeDamage : roll.amount;
  if (!(amount > 0)) return false;
  if (mob.data.cell != nullptr) rules.players.playSound(*mob.data.cell, mob_hit::kHitSound, 0);
  PlayerAttacker attacker(player);
  const Item* held = player.heldItem();
  const bool killed = mob.applyDamage(amount, roll.type, &attacker);
  if (killed) {
    if (held != nullptr && !held->isNone() && held->modifier() == mob_hit::kModLucky &&
        static_cast<float>(engine::randomNext()) / 32768.0f < mob_hit::kLuckyDropChance) {
      rules.damage.dropMobLoot(&mob, 1.0f, 0.0f);
    }
  } else {
    // Level with the player or left of it: thrown back up and to the left.
    const float degrees = mob.data.x <= player.position.x ? 135.0f : 45.0f;
    rules.entities.pushEntity(&mob, EntityImpulse{heldKnockBack(held) * player.stats.knockBackFactor, mobDegrees(degrees), 1});
  }
  // Each player wears its own: the local one its inventory's tool, a client's on the host its copy
  // and, through it, the client's.
  player.wearHeldTool();
  return killed;
}
