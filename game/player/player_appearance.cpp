// The stats rebuild: equipment first, then the active buffs' potion effects, then the clamps.
// Potion effects work on the content's effect record; its fields are added onto the player's
// stats afterwards, field by field. Worn items add their stats by kind: 0 armour, 1 damage bonus,
// 2 movement, 3 resistance, 6 health, 7 healing, 8 regeneration, 11 thorns, 12 and 13 the
// knock-back factors of blows and of shots. No worn stat steals life: that comes from the held
// weapon and from buffs.

#include "content/items/item.h"
#include "content/potions/potion_table.h"
#include "content/stats/potion_effect.h"
#include "content/stats/stats.h"
#include "game/player/player_graphical.h"

namespace {

constexpr uint16_t kTorchLight = 0xEEE;
// The drawing's action that builds the body anew from its look and what it wears.
constexpr uint8_t kDressAnew = 2;
constexpr int kThornsStat = 11;
constexpr int kBlowKnockBackStat = 12;
constexpr int kShotKnockBackStat = 13;

void addEquipment(PlayerStats& stats, const Item& item) {
  for (int k = 0; k < 4; ++k) {
    stats.damageBonus[k] += item.statValue(1, k);
    stats.armour[k] += item.statValue(0, k);
    stats.moveBonus[k] += item.statValue(2, k);
  }
  for (int i = 0; i < 5; ++i) stats.resist[i] += item.statValue(3, i);
  stats.maxHealth += item.statValue(6, 0);
  stats.healthBonus += item.statValue(7, 0);
  stats.healthDrift += item.statValue(8, 0);
  stats.thorns += item.statValue(kThornsStat, 0);
  stats.knockBackFactor += item.statValue(kBlowKnockBackStat, 0);
  stats.shotKnockBackFactor += item.statValue(kShotKnockBackStat, 0);
  const uint16_t light = item.lightColor();
  if (isBrighterLight(light, stats.light)) stats.light = light;
}

void addEffects(PlayerStats& stats, const Stats& effects) {
  stats.buffFlags |= effects.flags;
  const float damage[4] = {effects.slashBonus, effects.bluntBonus, effects.pierceBonus, effects.magicBonus};
  const float armour[4] = {effects.slashDefense, effects.bluntDefense, effects.pierceDefense,
                           effects.magicDefense};
  const float resist[5] = {effects.lavaResist, effects.acidResist, effects.breathResist,
                           effects.explosionResist, effects.fallResist};
  const float move[4] = {effects.walkBonus, effects.climbBonus, effects.jumpBonus, effects.swimBonus};
  for (int k = 0; k < 4; ++k) {
    stats.damageBonus[k] += damage[k];
    stats.armour[k] += armour[k];
    stats.moveBonus[k] += move[k];
  }
  for (int i = 0; i < 5; ++i) stats.resist[i] += resist[i];
  stats.criticalChance += effects.meleeCritical;
  stats.secondChance += effects.rangedCritical;
  stats.healthBonus += effects.healingBonus;
  stats.healthDrift += effects.healthRegen;
  stats.thorns += effects.spikeDamage;
  stats.lifeSteal += effects.lifeLeech;
  stats.knockBackFactor += effects.meleeKnockback;
  stats.shotKnockBackFactor += effects.rangedKnockback;
}

}  // namespace

void PlayerGraphical::refreshAppearance() {
  stats.reset();
  for (int i = 0; i < 5; ++i) {
    const Item* item = getEquipment(false, i);
    if (item != nullptr && !item->isNone()) addEquipment(stats, *item);
  }
  Stats effects;
  for (const PlayerBuff& buff : stats.buffs) applyPotionEffect(effects, {buff.id, buff.remaining});
  addEffects(stats, effects);
  stats.clamp();
  carriedLight = hasFlag(player_flag::kHumanTorch) ? kTorchLight : stats.light;
  // What she wears and the flags a buff sets are drawn: her drawing dresses her anew.
  playAction(kDressAnew, 0);
}
