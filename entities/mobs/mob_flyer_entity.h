#pragma once
// A mob that flies: gravity cancelled and the air's drag applied, one impulse every 15 to 20 ticks
// towards its target (with some scatter) or anywhere without one, turning up or down half of the
// time when its way is closed. It bounces off walls instead of stopping.
//
// Main thread only.

#include "entities/mobs/mob_entity.h"

class MobFlyerEntity : public MobEntity {
 public:
  MobFlyerEntity(World& world, EntityKind kind, const MobDef& row, uint8_t group, engine::Vec2 position,
                 engine::Vec2 motion);
  using MobEntity::MobEntity;

  void update() override;
  void onStop() override;
  void onRest() override;
  void hitLeftWall() override;
  void hitRightWall() override;
  void hitFloor() override;
  void hitCeiling() override;
  void addImpulse(float strength, float angle, bool reset) override;
  void think() override;
  void updateAnimation() override;

  int8_t flyFrame = 0;

 private:
  bool open(const MapBlock* cell) const;
};
