#pragma once
// A mob that walks: at each timer expiry it starts a walk, an attack (shooters fire the row's
// shots spread evenly over the attack time) or idles; on the way it steps up single cells and
// leaps one-cell gaps, and turns at walls.
//
// Main thread only.

#include "entities/mobs/mob_entity.h"
#include "world/rules/logic.h"

class MobWalkerEntity : public MobEntity {
 public:
  using MobEntity::MobEntity;

  void onStop() override;
  void hitLeftWall() override;
  void hitRightWall() override;
  void startWalk(int32_t walkState, float speed, float time) override;
  float walkingSpeed() const override { return walkSpeed; }
  void think() override;
  void updateAnimation() override;
  void recover() override;

  float walkSpeed = 0;
  int8_t walkFrame = -1;
  float shotAngle = 0;  // radians
  bool justAttacked = false;

 private:
  void decide(const Logic::MobTarget& target);
  void startAttack(const Logic::MobTarget& target);
  // True while the attack still fires or waits for its next shot.
  bool fireShots();
  void tryJumps(const Logic::MobTarget& target);
};
