#pragma once
// One active potion effect on a player: which potion (its 16-bit value) and how long it still
// runs. The effect functions read only the value.

#include <cstdint>

struct PotionEffect {
  uint16_t value = 0;
  uint16_t remaining = 0;
};
