#pragma once
// A thrown or shot projectile. Its behaviour comes from one row of the bullet table (lifetime,
// gravity, breaking, sticking, spinning, damage) and the row's four effect slots (hit a mob, hit a
// wall, end, every tick). It flies, then ends (lifetime, too slow, broken on a wall), sticks
// (frozen, ends 61 ticks later) or rests frozen until its lifetime ends.
//
// The thrower is kept as a player id and asked of the rules each time: a thrower who left the game
// is simply absent. Where rules run, a projectile without a thrower hits the players it passes
// (`Logic::hitPlayersNearBullet`); one with a thrower hits mobs (`Logic::hitMobNearBullet`).
//
// Main thread only.

#include "entities/core/entity_cast.h"
#include "entities/core/real_entity.h"

struct BulletDef;
struct BulletEffects;

class BulletEntity : public RealEntity {
 public:
  // A bobber row's projectile is made as a bobber, with its own kind.
  static bool holdsKind(EntityKind kind) { return kind == EntityKind::Bullet || kind == EntityKind::Bobber; }
  static constexpr float kEndless = 3.4028235e38f;
  static constexpr uint8_t kWallEffect = 33;
  static constexpr float kStuckHalfSize = 2.0f;
  static constexpr float kTimerAfterMobHit = 30;

  // `row` below the bullet table's size. `ownerId` 0: no thrower.
  BulletEntity(World& world, uint16_t row, uint32_t ownerId, engine::Vec2 position, MapBlock* cell, float speed,
               float angle, uint32_t extra, bool hitsMobs, bool sparesPlayers);
  // From a checked record: no thrower, hits nothing.
  BulletEntity(World& world, const EntityRecord& record);

  void update() override;
  void onStop() override;
  void onRest() override;
  void hitLeftWall() override;
  void hitRightWall() override;
  void hitFloor() override;
  void hitCeiling() override;
  void toRecord(EntityRecord& record) const override;
  bool wakesOnCellChange() const override;
  uint32_t ownerId() const override { return ownerId_; }
  void forgetOwner(uint32_t playerId) override {
    if (playerId == ownerId_) ownerId_ = 0;
  }

  const BulletDef& def() const;
  uint16_t row() const { return row_; }
  float rotation() const { return rotation_; }
  void setRotation(float degrees);

  bool hitsMobs = false;
  bool hitsPlayers = false;
  uint32_t extra = 0;
  float lifeLeft = 0;
  float lifeTotal = 0;
  float spriteScale = 1;  // a fuse or a smoking charge swells as its lifetime runs out

 protected:
  const BulletEffects& effects() const;
  // The wall response of the table: break, stick or bounce; then the hit-wall slot. Directions:
  // 0 left wall, 1 floor, 2 right wall, 3 ceiling.
  void hitWall(uint8_t direction);
  void bounce(uint8_t direction);
  void turnSprite();

 private:
  void setLifetime();

  uint16_t row_;
  uint32_t ownerId_ = 0;
  float rotation_ = 0;
};
