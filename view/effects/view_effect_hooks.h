#pragma once
// The world view's form of the entity effects' hooks: a struck block shakes the screen, and a
// worn item's effect finds its wearer through the player's sprite. Mobs are spawned and answered
// by the rules' form, which this one hands on to. The application registers it at launch.
//
// Main thread only.

#include "entities/effects/effect_hooks.h"

class ViewEffectHooks final : public EffectHooks {
 public:
  // `rules` answers the mobs; not owned.
  explicit ViewEffectHooks(EffectHooks& rules) : rules_(rules) {}

  Entity* mobBody(MobEntity* mob) override { return rules_.mobBody(mob); }
  void spawnMob(World& world, const MobRequest& request) override { rules_.spawnMob(world, request); }
  // The main layer's camera shakes and comes back to the screen's centre; nothing without a world view.
  void shakeScreen(bool gentle) override;
  // Known for a player that has a sprite.
  bool wearerPlace(PlayerGraphical* player, World*& world, engine::Vec2& position) override;

 private:
  EffectHooks& rules_;
};
