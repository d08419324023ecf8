#include "entities/items/treasure_factory.h"

#include <memory>
#include <utility>

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "entities/core/world_entities.h"
#include "entities/items/dress_entity.h"
#include "entities/items/fish_entity.h"
#include "entities/items/fruit_entity.h"
#include "entities/items/toy_entity.h"
#include "entities/items/treasure_entity.h"
#include "world/cells/map_block.h"
#include "world/world.h"

TreasureEntity* createTreasureEntity(WorldEntities& lists, ItemPtr owned, engine::Vec2 position, float speed,
                                     float angle, float spread, bool allowToy, uint32_t throwerId) {
  if (owned == nullptr) return nullptr;
  World* world = lists.world();
  MapBlock* cell = world != nullptr ? blockAtPoint(world->map(), position) : nullptr;
  if (cell == nullptr || owned->isNone()) return nullptr;
  const ToySpec* toy = allowToy ? toySpecForItem(owned->id) : nullptr;
  std::unique_ptr<TreasureEntity> entity;
  if (toy != nullptr) {
    entity = std::make_unique<ToyEntity>(*world, std::move(owned), *toy, throwerId, position, cell, speed, angle,
                                         spread);
  } else {
    entity = std::make_unique<TreasureEntity>(*world, EntityKind::Treasure, std::move(owned), position, cell, speed,
                                              angle, spread);
  }
  return static_cast<TreasureEntity*>(&lists.add(std::move(entity)));
}

TreasureEntity* createTreasureEntityTossed(WorldEntities& lists, ItemPtr item, engine::Vec2 position, float spread,
                                           bool allowToy) {
  const float speed = 1.0f + static_cast<float>(engine::randomNext()) / 32767.0f;
  const float angle = static_cast<float>(engine::randomNext()) / 32767.0f * 2.3561947f + 0.3926991f;
  return createTreasureEntity(lists, std::move(item), position, speed, angle, spread, allowToy);
}

FruitEntity* createFruitEntity(WorldEntities& lists, uint16_t itemId, MapBlock& cell, uint8_t mode) {
  World* world = lists.world();
  ItemPtr item(world != nullptr ? newItem(itemId, -1, 1, -1, 0) : nullptr);
  if (item == nullptr) return nullptr;
  engine::Vec2 at{cell.x * 30.0f, cell.y * 30.0f};
  auto jitter = [](int range, float shift) { return static_cast<float>(engine::randomNext() % range) + shift; };
  if (mode <= 2) at.x += jitter(18, -9.3f);
  if (mode == 0) at.y += jitter(18, -9.3f);
  if (mode == 1) at.y += jitter(4, -7.5f - 2.325f);
  if (mode == 2) at.y += jitter(4, 7.5f - 2.325f);
  return static_cast<FruitEntity*>(&lists.add(std::make_unique<FruitEntity>(*world, std::move(item), at, cell)));
}

FishEntity* createFishEntity(WorldEntities& lists, ItemPtr owned, MapBlock& cell) {
  World* world = lists.world();
  if (owned == nullptr || world == nullptr || owned->isNone()) return nullptr;
  return static_cast<FishEntity*>(&lists.add(std::make_unique<FishEntity>(*world, std::move(owned), cell)));
}

DressEntity* createDressEntity(WorldEntities& lists, uint16_t itemId, uint8_t slot, engine::Vec2 position) {
  World* world = lists.world();
  MapBlock* cell = world != nullptr ? blockAtPoint(world->map(), position) : nullptr;
  if (cell == nullptr || itemId >= 4096) return nullptr;
  return static_cast<DressEntity*>(&lists.add(std::make_unique<DressEntity>(*world, itemId, slot, position, cell)));
}
