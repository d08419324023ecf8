#include "game/combat/mob_hit.h"

#include <cmath>

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "engine/base/random.h"
#include "entities/mobs/mob_entity.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"
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

// The player as the mob sees its attacker.
class PlayerAttacker final : public MobAttacker {
 public:
  explicit PlayerAttacker(PlayerBase& player) : player_(player), held_(player.heldItem()) {}
  bool halvesResistance() const override {
    return itemKindOf(held_) == item_kind::kWeapon && held_->modifier() == mob_hit::kModPiercing;
  }
  float lifeSteal() const override { return itemWeaponBonus(held_); }
  void gainHealth(float amount) override { player_.addHealth(amount); }
  void recordKill(uint16_t mobId) override {
    if (auto* local = dynamic_cast<Player*>(&player_)) local->recordStat(MobEntity::kKillStat, mobId);
  }
  float lootFactor() const override { return 1.0f; }
  float lootBonus() const override { return 0.0f; }

 private:
  PlayerBase& player_;
  const Item* held_;
};

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

bool hitMobByPlayer(Logic& rules, PlayerBase& player, MobEntity& mob) {
  const DamageSpec roll = player.rollAttackDamage();
  const bool creative = mob.world().isCreative();
  const float amount = creative ? mob_hit::kCreativeDamage : roll.amount;
  if (!(amount > 0)) return false;
  if (mob.data.cell != nullptr) rules.playSound(*mob.data.cell, mob_hit::kHitSound, 0);
  PlayerAttacker attacker(player);
  const Item* held = player.heldItem();
  const bool killed = mob.applyDamage(amount, roll.type, &attacker);
  if (killed) {
    if (held != nullptr && !held->isNone() && held->modifier() == mob_hit::kModLucky &&
        static_cast<float>(engine::randomNext()) / 32768.0f < mob_hit::kLuckyDropChance) {
      rules.dropMobLoot(&mob, 1.0f, 0.0f);
    }
  } else {
    // Level with the player or left of it: thrown back up and to the left.
    const float degrees = mob.data.x <= player.position.x ? 135.0f : 45.0f;
    rules.pushEntity(&mob, EntityImpulse{heldKnockBack(held), mobDegrees(degrees), 1});
  }
  if (auto* local = dynamic_cast<Player*>(&player)) local->wearTool(static_cast<uint8_t>(local->selectedQuickSlot()));
  return killed;
}
