#include "entities/effects/effect_hooks.h"

#include <cmath>

#include "content/tables/content_tables.h"
#include "world/rules/logic.h"
#include "world/world.h"

void RulesEffectHooks::spawnMob(World& world, const MobRequest& request) {
  const MobDef* def = mobDefinitionById(request.row);
  if (def == nullptr) return;
  const engine::Vec2 motion{std::cos(request.angle) * request.strength, std::sin(request.angle) * request.strength};
  world.rules().spawnMob(def, request.position, motion, request.forced ? 1 : 0, nullptr);
}

engine::Seam<EffectHooks, NullEffectHooks>& effectHooksSeam() {
  static engine::Seam<EffectHooks, NullEffectHooks> seam;
  return seam;
}

EffectHooks& effectHooks() { return effectHooksSeam().get(); }

void setEffectHooks(EffectHooks* hooks) { effectHooksSeam().set(hooks); }
