#pragma once
// A push given to an entity: a strength (pixels per tick) at an angle (radians), optionally
// replacing the pending impulse instead of adding to it. On the wire: f32, f32, u8.

#include <cstdint>

struct EntityImpulse {
  float strength = 0;
  float angle = 0;
  uint8_t reset = 0;
};
