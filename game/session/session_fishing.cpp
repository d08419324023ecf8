#include "game/session/session_fishing.h"

#include "game/fishing/fishing_catch.h"
#include "content/items/item.h"
#include "game/player/player_base.h"
#include "game/rules/local_logic.h"

PlayerBase* SessionFishing::player(uint32_t owner) const { return owner != 0 ? rules_.playerById(owner) : nullptr; }

bool SessionFishing::present(uint32_t owner) { return player(owner) != nullptr; }

int SessionFishing::rodTier(uint32_t owner) {
  const PlayerBase* caster = player(owner);
  const Item* held = caster != nullptr ? caster->heldItem() : nullptr;
  return held != nullptr && !held->isNone() ? fishingRodTier(held->id) : -1;
}

float SessionFishing::waitTicks(uint32_t owner) { return bobberWaitTime(rodTier(owner)); }

float SessionFishing::biteWindow(uint32_t owner) { return bobberBiteWindow(rodTier(owner)); }

void SessionFishing::castLanded(uint32_t owner) {
  PlayerBase* caster = player(owner);
  if (caster == nullptr) return;
  rules_.playPlayerAction(caster, kActionFishing, 4, EffectAudience::Everyone);
  caster->rememberBobber();
}

void SessionFishing::biteStarted(uint32_t owner) {
  if (PlayerBase* caster = player(owner)) caster->stampBiteTime();
}

void SessionFishing::fishGotAway(uint32_t owner) {
  PlayerBase* caster = player(owner);
  if (caster == nullptr) return;
  rules_.showTextById(caster, kTextGotAway, kRefusal);
  caster->consumeBait();
  rules_.playPlayerAction(caster, kActionLowerRod, 0, EffectAudience::Everyone);
  caster->forgetBobber();
}

void SessionFishing::showText(uint32_t owner, uint16_t text) {
  if (PlayerBase* caster = player(owner)) rules_.showTextById(caster, text, kRefusal);
}

void SessionFishing::castEnded(uint32_t owner) {
  if (PlayerBase* caster = player(owner)) caster->forgetBobber();
}
