#pragma once
// A mob that hops: once per idle time after it comes to rest it hops towards (or away from) its
// target, jumps off ledges, and keeps clear of liquid and gaps beside it.
//
// Main thread only.

#include "entities/mobs/mob_entity.h"

class MobJumperEntity : public MobEntity {
 public:
  using MobEntity::MobEntity;

  void onStop() override;
  void think() override;
  void updateAnimation() override;

 protected:
  void hop(bool right);
};
