#pragma once
// One chance draw of the plant rules: a fresh value 0..32767 over 32768 below the probability.

#include "engine/base/random.h"

inline bool plantChance(float probability) {
  return static_cast<float>(engine::randomNext()) / 32768.0f < probability;
}
