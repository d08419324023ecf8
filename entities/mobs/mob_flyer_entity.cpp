#include "entities/mobs/mob_flyer_entity.h"

#include <cmath>

#include "world/map/world_map.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/logic.h"
#include "world/world.h"

MobFlyerEntity::MobFlyerEntity(World& world, EntityKind kind, const MobDef& row, uint8_t group,
                               engine::Vec2 position, engine::Vec2 motion)
    : MobEntity(world, kind, row, group, position, motion) {
  timer = 15.0f + 5.0f * unit();
}

void MobFlyerEntity::update() {
  data.vy += kGravity;
  MobEntity::update();
  data.vx *= 0.9f;
}

void MobFlyerEntity::onRest() { onStop(); }

void MobFlyerEntity::onStop() {
  timer = 0;
  MobEntity::onStop();
}

void MobFlyerEntity::hitLeftWall() {
  touchLeftWall();
  data.vx *= -0.6f;
}

void MobFlyerEntity::hitRightWall() {
  touchRightWall();
  data.vx *= -0.6f;
}

void MobFlyerEntity::hitFloor() {
  touchFloor();
  data.vy *= -0.5f;
}

void MobFlyerEntity::hitCeiling() {
  touchCeiling();
  data.vy *= -0.5f;
}

void MobFlyerEntity::addImpulse(float strength, float angle, bool reset) {
  MovingEntity::addImpulse(strength, angle, reset);
  state = mob_state::kPushed;
  face(data.impulseX > 0);
  if (hasRules()) aiOn = true;
}

bool MobFlyerEntity::open(const MapBlock* cell) const {
  return cell != nullptr && !map().props()[cell->frontId()].opaque();
}

void MobFlyerEntity::think() {
  if (timer >= 0) return;
  const Logic::MobTarget target = world().rules().mobTargetOf(this);
  float degrees = 0;
  if (!target.found) {
    degrees = uniform(0.0f, 360.0f);
  } else {
    degrees = std::atan2(target.position.y + 7.5f - data.y, target.position.x - data.x) * 57.29578f +
              uniform(-22.5f, 22.5f);
    if (degrees < 0) degrees += 360.0f;
  }
  const bool headingRight = degrees < 90.0f || degrees > 270.0f;
  const bool blocked = (headingRight && !open(cellAtOffset(1, 0))) || (degrees != 270.0f && !open(cellAtOffset(-1, 0)));
  if (blocked && chance(0.5f)) {
    if (open(cellAtOffset(0, 1))) {
      degrees = uniform(45.0f, 135.0f);
    } else if (open(cellAtOffset(0, -1))) {
      degrees = uniform(225.0f, 315.0f);
    }
  }
  world().rules().pushEntity(this, EntityImpulse{1.0f + unit(), mobDegrees(degrees), 0});
  aiOn = true;
  timer = 15.0f + 5.0f * unit();
}

void MobFlyerEntity::updateAnimation() { animation = cycleFrames(flyFrame, 5, 6); }
