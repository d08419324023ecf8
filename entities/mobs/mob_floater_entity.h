#pragma once
// A mob that floats in place: no physics and no thinking, a slow bob of 3.75 pixels every 40
// ticks about the point where it was made.
//
// Main thread only.

#include "entities/mobs/mob_entity.h"

class MobFloaterEntity : public MobEntity {
 public:
  MobFloaterEntity(World& world, EntityKind kind, const MobDef& row, uint8_t group, engine::Vec2 position,
                   engine::Vec2 motion);
  MobFloaterEntity(World& world, const MobDef& row, const EntityData& state);

  void update() override;
  void think() override {}
  void updateAnimation() override { animation = 0; }

  engine::Vec2 origin{};
  float period = 20.0f;
  float phase = 0;
  float amplitude = 3.75f;
};
