#include "entities/effects/effect_world.h"

#include <numbers>

#include "engine/base/random.h"
#include "entities/core/real_entity.h"
#include "entities/core/world_entities.h"
#include "world/rules/logic.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace effect {

DebrisList* particlesOf(World& world) {
  WorldEntities* lists = world.entities();
  return lists != nullptr ? &lists->debris() : nullptr;
}

bool hasRules(const World& world) { return worldHasRules(world); }

bool lockRefuses(World& world, PlayerBase* shooter) {
  return world.options().explosivesLock() && shooter != nullptr && !world.rules().isLocalPlayer(shooter);
}

PlayerBase* playerOf(World& world, uint32_t ownerId) {
  return ownerId != 0 ? world.rules().playerById(ownerId) : nullptr;
}

bool chance(float p) { return static_cast<float>(engine::randomNext()) / 32768.0f < p; }

float unit() { return static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX); }

uint32_t draw() { return static_cast<uint32_t>(engine::randomNext()); }

float radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

}  // namespace effect
