#include "game/rules/rule_entities.h"

#include "content/items/item_pool.h"

Entity* NullRuleEntities::spawnItemEntity(Item* item, engine::Vec2, float, float, uint8_t) {
  freeItem(item);
  return nullptr;
}

Entity* NullRuleEntities::spawnItemDrop(Item* item, engine::Vec2, uint8_t) {
  freeItem(item);
  return nullptr;
}

// The held item stays the player's: only what a throw hands over is owned here, and nothing is.
Entity* NullRuleEntities::shootProjectile(Item*, PlayerBase*, engine::Vec2, engine::Vec2, uint8_t) {
  return nullptr;
}

Entity* NullRuleEntities::spawnDress(Item* item, engine::Vec2, engine::Vec2) {
  freeItem(item);
  return nullptr;
}
