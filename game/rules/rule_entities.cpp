#include "game/rules/rule_entities.h"

// The held item stays the player's: only what a throw hands over is owned here, and nothing is.
Entity* NullRuleEntities::shootProjectile(Item*, PlayerBase*, engine::Vec2, engine::Vec2, uint8_t) {
  return nullptr;
}
