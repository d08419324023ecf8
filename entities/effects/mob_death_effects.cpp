#include "entities/effects/mob_death_effects.h"

#include "entities/core/entity.h"
#include "entities/effects/effect_hooks.h"
#include "entities/effects/effect_world.h"
#include "entities/effects/projectile_effects.h"
#include "world/world.h"

namespace {

constexpr uint8_t kSplitGroup = 2;
constexpr float kSplitStrength = 0.15f;

}  // namespace

void MobSplitEffect::operator()(MobEntity* mob, World& world) const {
  if (Entity* dead = effectHooksOf(world).mobBody(mob)) at(*dead);
}

void MobSplitEffect::at(Entity& dead) const {
  uint32_t count = minimum;
  if (maximum != minimum) count = minimum + effect::draw() % (maximum - minimum + 1);
  for (uint32_t i = 0; i < count; ++i) {
    const float angle = effect::radians(180.0f - static_cast<float>(effect::draw() % 180));
    effectHooksOf(dead.world()).spawnMob(dead.world(), {.row = row,
                                                         .group = kSplitGroup,
                                                         .position = {dead.data.x, dead.data.y},
                                                         .cell = dead.data.cell,
                                                         .strength = kSplitStrength,
                                                         .angle = angle,
                                                         .forced = false});
  }
}

void MobBlastEffect::operator()(MobEntity* mob, World& world) const {
  if (Entity* dead = effectHooksOf(world).mobBody(mob)) at(*dead);
}

void MobBlastEffect::at(Entity& dead) const {
  if (dead.data.cell == nullptr || !effect::hasRules(dead.world())) return;
  dead.world().explosions().add(*dead.data.cell, nullptr, projectile_effect::kSmallBlast, 0.0f, 1);
}
