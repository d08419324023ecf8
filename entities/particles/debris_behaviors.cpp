#include "entities/particles/debris_behaviors.h"

#include <algorithm>

#include "entities/particles/debris_builders.h"
#include "entities/particles/debris_entity.h"
#include "world/cells/map_block.h"
#include "world/light/cell_light_levels.h"

namespace {

constexpr float kHalfTurnDegrees = 180.0f;

DebrisTint flatLight(const MapBlock* cell, uint8_t darkness, int divisor) {
  if (cell == nullptr) return {};
  const std::array<uint8_t, 3> levels = cellLightLevels(*cell, darkness);
  const auto channel = [divisor](uint8_t level) { return static_cast<uint8_t>(level * 17 / divisor); };
  return {channel(levels[0]), channel(levels[1]), channel(levels[2])};
}

}  // namespace

float BehaviorProgressLambda::startValue() const { return randomBetween(startMin_, startMax_); }

void ScaleRotateAndFadeBehavior::apply(float& progress, float step, DebrisEntity* particle) {
  progress = std::min(1.0f, progress + step / duration_);
  DebrisLook& look = particle->look;
  look.scale = progress <= 0.5f ? start_ + (middle_ - start_) * 2 * progress
                                : middle_ - (middle_ - end_) * (progress - 0.5f) * 2;
  look.rotation = halfTurns_ * progress * kHalfTurnDegrees;
}

bool BehaviorCollisionStopOnBounce::apply(MovingEntity* particle, EntityData&, Direction) {
  particle->onRest();
  return true;
}

void BehaviorLightDefault::apply(const MapBlock* cell, DebrisEntity* particle) const {
  particle->look.tint = flatLight(cell, particle->darkness(), 1);
}

void BehaviorLightDarkened::apply(const MapBlock* cell, DebrisEntity* particle) const {
  particle->look.tint = flatLight(cell, particle->darkness(), 3);
}

const BehaviorLight& lightDefault() {
  static const BehaviorLightDefault light;
  return light;
}

const BehaviorLight& lightDarkened() {
  static const BehaviorLightDarkened light;
  return light;
}

const BehaviorLight& lightIgnore() {
  static const BehaviorLightIgnore light;
  return light;
}
