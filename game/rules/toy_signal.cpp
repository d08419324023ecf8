#include "game/rules/toy_signal.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "content/items/item.h"
#include "entities/items/toy_entity.h"
#include "entities/items/toy_spec.h"
#include "game/player/player_base.h"
#include "game/rules/rule_entities.h"
#include "world/map/world_map.h"
#include "world/rules/entity_impulse.h"
#include "world/world.h"

bool signalToysNear(World& world, LogicPlayers& players, LogicEntities& rules, RuleEntities& entities, const PlayerBase* player,
                    engine::Vec2 point, bool invert) {
  const Item* held = player != nullptr ? player->heldItem() : nullptr;
  if (held != nullptr && !held->isNone()) return false;
  std::vector<ToyEntity*> toys;
  entities.collectToys(toys);
  MapBlock* lastCell = nullptr;
  bool pushed = false;
  for (ToyEntity* toy : toys) {
    // The short way round a world that wraps.
    const float dx = world.map().shortDeltaX(toy->data.x - point.x);
    const float dy = toy->data.y - point.y;
    const float distance = std::hypot(dx, dy);
    if (distance >= toy_signal::kReach) continue;
    float share = std::min(1.0f, distance / toy_signal::kReach);
    if (invert) share = 1.0f - share;
    rules.pushEntity(toy, EntityImpulse{share * toy->spec().pushFactor, std::atan2(dy, dx), 1});
    pushed = true;
    lastCell = toy->data.cell;
  }
  if (pushed && lastCell != nullptr) players.playSound(*lastCell, toy_signal::kSound, 0);
  return pushed;
}
