#include "entities/projectiles/bullet_entity.h"

#include <cmath>

#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "entities/core/entity_record.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr float kDegrees = 57.29578f;

bool isBobberRow(uint16_t row) { return contentTables().bulletDefs[row].bobber() != 0; }

}  // namespace

BulletEntity::BulletEntity(World& world, uint16_t row, uint32_t ownerId, engine::Vec2 position, MapBlock* cell,
                           float speed, float angle, uint32_t extraWord, bool mobs, bool sparesPlayers)
    : RealEntity(world, isBobberRow(row) ? EntityKind::Bobber : EntityKind::Bullet, cell, position,
                 contentTables().bulletDefs[row].setupWord(), speed, angle, 0),
      extra(extraWord),
      row_(row),
      ownerId_(ownerId) {
  hitsMobs = ownerId != 0 || mobs;
  hitsPlayers = ownerId == 0 && !sparesPlayers;
  setLifetime();
  const BulletDef& d = def();
  if (d.stick() != 0) {
    data.halfWidth = data.halfHeight = kStuckHalfSize;
  } else {
    data.halfWidth = d.width() / 2;
    data.halfHeight = d.height() / 2;
  }
  if (d.facesMotion()) setRotation(std::atan2(-data.impulseY, data.impulseX) * kDegrees);
}

BulletEntity::BulletEntity(World& world, const EntityRecord& record)
    : RealEntity(world, record.state), extra(record.extra), row_(record.definition) {
  setId(record.entityId);
  setLifetime();
  if (def().stick() != 0) data.halfWidth = data.halfHeight = kStuckHalfSize;
}

const BulletDef& BulletEntity::def() const { return contentTables().bulletDefs[row_]; }

const BulletEffects& BulletEntity::effects() const { return contentTables().bulletEffects[row_]; }

void BulletEntity::setLifetime() {
  const float seconds = def().lifetime();
  lifeLeft = lifeTotal = seconds > 0 && std::isfinite(seconds) ? seconds * 60.0f : kEndless;
}

bool BulletEntity::wakesOnCellChange() const { return def().wakesOnCellChange(); }

void BulletEntity::setRotation(float degrees) {
  if (degrees == rotation_) return;
  rotation_ = degrees;
  if (EntityDrawing* drawing = this->drawing()) drawing->setRotation(degrees);
}

void BulletEntity::update() {
  const BulletDef& d = def();
  const MapBlock* before = data.cell;
  if (!d.falls()) data.impulseY += kGravity;
  lifeLeft -= 1;
  move();
  if (lifeLeft < 0 || (d.expiresWhenSlow() && data.vx * data.vx + data.vy * data.vy < 0.1f)) onStop();
  if (hasRules() && !data.removed && data.moving && hitsPlayers && d.playerDamage() > 0) {
    world().rules().hitPlayersNearBullet(this);
  } else if (hasRules() && !data.removed && data.moving && !data.frozen && hitsMobs && d.mobDamage() > 0) {
    // Only in flight: a shot that came to rest beside a mob would hurt it again every tick.
    world().rules().hitMobNearBullet(this);
  }
  drawPosition();
  if (data.cell != before) drawLight();
  turnSprite();
  if (effects().onTick) effects().onTick(this);
}

void BulletEntity::turnSprite() {
  const BulletDef& d = def();
  if (!data.frozen) {
    if (data.moving && d.spins()) {
      setRotation(rotation_ + (data.vx > 0 ? 1.0f : data.vx < 0 ? -1.0f : 0.0f) * d.spinRate());
    } else if (data.moving && d.facesMotion()) {
      setRotation(std::atan2(-data.vy, data.vx) * kDegrees);
    } else if (!data.moving && !d.keepsFacing()) {
      setRotation(0);
    }
  } else if (data.moving && d.spins()) {
    int whole = static_cast<int>(rotation_) % 360;
    if (whole < 0) whole += 360;
    setRotation(whole >= 90 && whole <= 270 ? 180.0f : 0.0f);
  }
}

void BulletEntity::onStop() {
  if (effects().onEnd) effects().onEnd(this);
  data.removed = true;
  data.moving = false;
}

void BulletEntity::onRest() {
  data.frozen = true;
  const BulletDef& d = def();
  if (d.stick() != 0) {
    data.moving = false;
    lifeLeft = lifeTotal = 60;
  } else if (d.expiresWhenSlow()) {
    lifeLeft = lifeTotal = 0;
  }
}

void BulletEntity::hitWall(uint8_t direction) {
  const BulletDef& d = def();
  const bool breaks = d.breakFlag() != 0;
  const bool sticks = d.stick() != 0;
  if (breaks || sticks) {
    if (hasRules()) world().rules().broadcastEffect(this, kWallEffect, 0);
  }
  if (breaks) onStop();
  if (sticks) {
    onRest();
  } else if (!breaks || direction == 0) {
    bounce(direction);
  }
  if (effects().onHitWall) effects().onHitWall(this, direction);
}

// The plain responses of a moving entity, called as such (not through the overrides).
void BulletEntity::bounce(uint8_t direction) {
  switch (direction) {
    case 0: MovingEntity::hitLeftWall(); break;
    case 1: MovingEntity::hitFloor(); break;
    case 2: MovingEntity::hitRightWall(); break;
    default: MovingEntity::hitCeiling(); break;
  }
}

void BulletEntity::hitLeftWall() { hitWall(0); }
void BulletEntity::hitRightWall() { hitWall(2); }
void BulletEntity::hitFloor() { hitWall(1); }
void BulletEntity::hitCeiling() { hitWall(3); }

void BulletEntity::toRecord(EntityRecord& record) const {
  RealEntity::toRecord(record);
  record.extra = extra;
  record.definition = row_;
}
