#include "platform/audio/random_helpers.h"

#include "engine/base/random.h"

namespace kel {

float randomRange(float span, float base) {
  return static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX) * span +
         base;
}

bool randomChance(float p) {
  return p > static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX + 1);
}

float randomAngle(int base, int spread) {
  constexpr float kDegreesToRadians = 3.1415927f / 180.0f;
  // A zero spread would be a modulo by zero; it simply means "no spread".
  if (spread <= 0) return static_cast<float>(base) * kDegreesToRadians;
  const int degrees = base - engine::randomNext() % (2 * spread) + spread;
  return static_cast<float>(degrees) * kDegreesToRadians;
}

}  // namespace kel
