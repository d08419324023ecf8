#pragma once
// What some mobs leave when they die: smaller mobs of their family (a split) or a blast. The
// effect gets the dying mob and the world it dies in, and finds the mob's place through that
// world's effect hooks (effect_hooks.h); until the mobs answer there, a death effect does nothing.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class Entity;
class MobEntity;
class World;

// Asks for minimum..maximum mobs of a row where the mob died (the rules may refuse each).
struct MobSplitEffect {
  uint32_t minimum = 0;
  uint32_t maximum = 0;
  uint16_t row = 0;

  void operator()(MobEntity* mob, World& world) const;
  // The split at a dead mob's place: its world, position and cell.
  void at(Entity& dead) const;
};

// A small blast where the mob died, through the world's explosives rule like any blast.
struct MobBlastEffect {
  void operator()(MobEntity* mob, World& world) const;
  void at(Entity& dead) const;
};
