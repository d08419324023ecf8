#include "game/combat/bullet_mob_hit.h"

#include <cmath>
#include <cstdint>

#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "entities/projectiles/bullet_entity.h"
#include "game/combat/player_attacker.h"
#include "game/player/player.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/logic.h"

namespace {

bool quietRow(const MobEntity& mob) {
  for (uint16_t row : bullet_mob_hit::kQuietRows) {
    if (row == mob.rowIndex()) return true;
  }
  return false;
}

}  // namespace

bool mobBoxMeetsShot(float dx, float dy, float halfWidth, float halfHeight) {
  const auto w = static_cast<int32_t>(halfWidth);
  const auto h = static_cast<int32_t>(halfHeight);
  // The mob's box in the projectile's frame: integer halves, truncated corners.
  const auto left = static_cast<float>(static_cast<int32_t>(dx - static_cast<float>(w / 2)));
  const auto bottom = static_cast<float>(static_cast<int32_t>(dy - static_cast<float>(h / 2)));
  const float s = bullet_mob_hit::kSquareHalf;
  return !(left > s || left + static_cast<float>(w) < -s || bottom > s || bottom + static_cast<float>(h) < -s);
}

float bulletMobDamage(float rowDamage, uint8_t type, const PlayerBase* owner, float roll) {
  float damage = rowDamage;
  if (owner == nullptr) return damage;
  const PlayerStats& stats = owner->stats;
  if (type < std::size(stats.damageBonus) && stats.damageBonus[type] > 0) damage *= 1 + stats.damageBonus[type];
  if (stats.criticalChance > roll) damage *= 2;
  return damage;
}

void hitMobByBullet(LogicEntities& rules, BulletEntity& bullet, MobEntity& mob, PlayerBase* owner) {
  const BulletDef& row = bullet.def();
  const float degrees = bullet.data.vx > 0 ? 45.0f : 135.0f;
  const float roll = static_cast<float>(engine::randomNext()) / 32768.0f;
  const float damage = bulletMobDamage(row.mobDamage(), row.damageType(), owner, roll);
  if (owner != nullptr) owner->recordLocalStat(bullet_mob_hit::kShotStat, bullet.row());
  if (owner != nullptr) {
    PlayerAttacker attacker(*owner);
    mob.applyDamage(damage, row.damageType(), &attacker);
  } else {
    mob.applyDamage(damage, row.damageType(), nullptr);
  }
  if (row.knockBack() > 0) {
    const float strength = row.knockBack() * (owner != nullptr ? owner->stats.shotKnockBackFactor : 1.0f);
    rules.pushEntity(&mob, EntityImpulse{strength, mobDegrees(degrees), 1});
  }
  if (!quietRow(mob)) rules.broadcastEffect(&bullet, bullet_mob_hit::kHitEffect, 0);
  rules.restEntity(&bullet);
  if (const auto& onHitMob = contentTables().bulletEffects[bullet.row()].onHitMob) onHitMob(&bullet, &mob);
  bullet.timer = BulletEntity::kTimerAfterMobHit;
}
