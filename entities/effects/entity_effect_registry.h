#pragma once
// Fills the effect slots of the content tables once, after the content and language files are
// loaded: mob deaths (splits of the mob families, single replacements, exploding mobs), the four
// slots of the projectile rows, the strike of the shaking blocks and the worn sparkle. A later
// store to a slot replaces an earlier one; several slots may share one function object. The slots
// live as long as the tables.
//
// The application's start-up calls it. Main thread only.

#include "entities/effects/effect_hooks.h"

class EntityEffectRegistry final {
 public:
  // Called once, after the content file and the language file are loaded.
  void registerEntityEffects();

  // The hooks the application registers for the effects' reach upwards (spawning through the rules
  // until the mobs and the view replace them).
  EffectHooks& defaultHooks() { return hooks_; }

 private:
  RulesEffectHooks hooks_;
};

// The rows the registration names, for the content checks and tests.
namespace entity_effect_rows {

constexpr uint16_t kWornSparkleItem = 1949;
constexpr uint16_t kFirstShakingBlock = 2317;
constexpr uint16_t kLastShakingBlock = 2328;

}  // namespace entity_effect_rows
