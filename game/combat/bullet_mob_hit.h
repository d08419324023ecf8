#pragma once
// A projectile meeting a mob. `mobBoxMeetsShot` is the hit box: the mob's box (its whole half
// sizes as width and height, centred on it with integer halves) against the 8 x 8 pixel square
// centred on the projectile, touching edges counting; `dx` is the mob's offset from the projectile
// taken the short way round the world. `hitMobByBullet` is the hit: the row's mob damage, raised
// by the thrower's bonus for its damage type and then doubled by a critical roll, the thrower's
// statistic, the damage with the thrower as attacker, the knock-back (scaled by the thrower's
// factor for shots) up and away along the projectile's course, the hit effect, then the projectile rests, the
// row's hit-mob slot runs and the projectile's timer is set.
//
// Main thread only.

#include <cstdint>

class BulletEntity;
class LogicEntities;
class MobEntity;
class PlayerBase;

namespace bullet_mob_hit {
constexpr float kSquareHalf = 4.0f;
constexpr uint16_t kShotStat = 81;
constexpr uint8_t kHitEffect = 26;
// Mob rows that show no hit effect.
constexpr uint16_t kQuietRows[] = {82, 83};
}  // namespace bullet_mob_hit

bool mobBoxMeetsShot(float dx, float dy, float halfWidth, float halfHeight);
// The damage the row deals with the thrower's bonus and critical roll (`roll` uniform in 0..1).
float bulletMobDamage(float rowDamage, uint8_t type, const PlayerBase* owner, float roll);
// The whole hit; `owner` null for a projectile whose thrower is gone.
void hitMobByBullet(LogicEntities& rules, BulletEntity& bullet, MobEntity& mob, PlayerBase* owner);
