#pragma once
// What the entity effects need from the layers above them and from work not built yet: the dying
// mob as an entity, a mob spawned where an effect asks, the screen shake of a struck block and the
// place of a player who wears an item. Each world has its own, in its context
// (`WorldContext::effectHooks`, read through `effectHooksOf`); a world without them answers the
// null form, which answers none and does nothing. The default (`RulesEffectHooks`) spawns mobs
// through the world's rules and waits for the mobs and the view for the rest; tests give a
// recording form. Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class Entity;
class MapBlock;
class MobEntity;
class PlayerGraphical;
class World;

struct MobRequest {
  uint16_t row = 0;    // the mob definition row
  uint8_t group = 0;   // the population group it counts in (2: the children of a split)
  engine::Vec2 position{};
  MapBlock* cell = nullptr;
  float strength = 0;  // start impulse
  float angle = 0;     // radians
  bool forced = false; // past the mob limits
};

class EffectHooks {
 public:
  virtual ~EffectHooks() = default;
  // The mob as an entity of its world; null when it cannot be resolved.
  virtual Entity* mobBody(MobEntity* mob) = 0;
  virtual void spawnMob(World& world, const MobRequest& request) = 0;
  // The strong shake when `gentle` is false.
  virtual void shakeScreen(bool gentle) = 0;
  // The world and pixel position of a drawn player; false when unknown.
  virtual bool wearerPlace(PlayerGraphical* player, World*& world, engine::Vec2& position) = 0;
};

class NullEffectHooks final : public EffectHooks {
 public:
  Entity* mobBody(MobEntity*) override { return nullptr; }
  void spawnMob(World&, const MobRequest&) override {}
  void shakeScreen(bool) override {}
  bool wearerPlace(PlayerGraphical*, World*&, engine::Vec2&) override { return false; }
};

// Spawns through the world's rules (`Logic::spawnMob`, in the request's population group; the rules
// may refuse) and answers a mob as its entity. Waiting for the world view: `shakeScreen` and
// `wearerPlace` answer none until it replaces this form.
class RulesEffectHooks final : public EffectHooks {
 public:
  Entity* mobBody(MobEntity* mob) override;
  void spawnMob(World& world, const MobRequest& request) override;
  void shakeScreen(bool) override {}
  bool wearerPlace(PlayerGraphical*, World*&, engine::Vec2&) override { return false; }
};

// The world's hooks; the null form when its context has none.
EffectHooks& effectHooksOf(const World& world);
