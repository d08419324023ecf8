#include "entities/mobs/mob_floater_entity.h"

#include <cmath>

MobFloaterEntity::MobFloaterEntity(World& world, EntityKind kind, const MobDef& row, uint8_t group,
                                   engine::Vec2 position, engine::Vec2 motion)
    : MobEntity(world, kind, row, group, position, motion), origin(position) {}

MobFloaterEntity::MobFloaterEntity(World& world, const MobDef& row, const EntityData& physics)
    : MobEntity(world, row, physics), origin{physics.x, physics.y} {}

void MobFloaterEntity::update() {
  phase += 1.0f;
  const float bob = std::sin(phase / period * 3.14159265f) * amplitude;
  data.x = origin.x;
  data.y = origin.y + bob;
  updateAnimation();
  drawPosition();
  drawLight();
}
