#pragma once
// The 12-byte movement record of a walking mob (`Logic::steerMob`): the walk state (0 left,
// 1 right), the walking speed in pixels per tick and the walk's length in ticks.

#include <cstdint>

struct MobMovement {
  uint32_t state = 0;
  float speed = 0;
  float time = 0;
};
