#include "entities/items/treasure_factory.h"

#include <memory>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "entities/core/world_entities.h"
#include "entities/items/treasure_entity.h"
#include "world/world.h"

TreasureEntity* createTreasureEntity(WorldEntities& lists, Item* item, engine::Vec2 position, float speed, float angle,
                                     float spread) {
  if (item == nullptr) return nullptr;
  World* world = lists.world();
  MapBlock* cell = world != nullptr ? blockAtPoint(world->map(), position) : nullptr;
  if (cell == nullptr || item->isNone()) {
    freeItem(item);
    return nullptr;
  }
  auto entity = std::make_unique<TreasureEntity>(*world, EntityKind::Treasure, item, position, cell, speed, angle, spread);
  return static_cast<TreasureEntity*>(&lists.add(std::move(entity)));
}

TreasureEntity* createTreasureEntityTossed(WorldEntities& lists, Item* item, engine::Vec2 position, float spread) {
  const float speed = 1.0f + static_cast<float>(engine::randomNext()) / 32767.0f;
  const float angle = static_cast<float>(engine::randomNext()) / 32767.0f * 2.3561947f + 0.3926991f;
  return createTreasureEntity(lists, item, position, speed, angle, spread);
}
