#include "entities/effects/effect_hooks.h"

#include "content/tables/content_tables.h"
#include "entities/mobs/mob_entity.h"
#include "world/rules/logic.h"
#include "world/world.h"

Entity* RulesEffectHooks::mobBody(MobEntity* mob) { return mob; }

void RulesEffectHooks::spawnMob(World& world, const MobRequest& request) {
  const MobDef* def = mobDefinitionById(request.row);
  if (def == nullptr) return;
  // The rules read the start motion as (strength, angle in radians).
  world.rules().spawnMob(def, request.position, {request.strength, request.angle}, request.forced ? 1 : 0, nullptr,
                         request.group);
}

EffectHooks& effectHooksOf(const World& world) {
  static NullEffectHooks none;  // stateless: every world without hooks may share it
  EffectHooks* hooks = world.context().effectHooks;
  return hooks != nullptr ? *hooks : none;
}
