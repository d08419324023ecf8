#include "entities/records/entity_from_record.h"

#include <cmath>
#include <memory>

#include "entities/core/cell_operations.h"
#include "entities/core/entity_record.h"
#include "entities/core/world_entities.h"
#include "entities/items/dress_entity.h"
#include "entities/items/fish_entity.h"
#include "entities/items/toy_entity.h"
#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/projectiles/bobber_entity.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCell = 30.0f;

bool placeFits(const WorldMap& map, const EntityRecord& r) {
  const float width = static_cast<float>(map.width()) * kCell;
  if (r.state.cellX < -kCell || r.state.cellX > width) return false;
  return std::fabs(r.state.x - r.state.cellX) <= kCell && std::fabs(r.state.y - r.state.cellY) <= kCell;
}

}  // namespace

RealEntity* entityFromRecord(WorldEntities& lists, const EntityRecord& record) {
  World* world = lists.world();
  if (world == nullptr || entityRecordFault(record) != nullptr) return nullptr;
  if (blockAtPoint(world->map(), {record.state.cellX, record.state.cellY}) == nullptr) return nullptr;
  if (!placeFits(world->map(), record)) return nullptr;
  if (record.entityId != 0 && lists.findById(record.entityId) != nullptr) return nullptr;
  switch (record.state.kind) {
    case EntityKind::Treasure:
    case EntityKind::Fruit:
      return &lists.add(std::make_unique<TreasureEntity>(*world, record));
    case EntityKind::Toy: {
      const ToySpec* spec = toySpecForItem(record.definition);
      if (spec == nullptr) return nullptr;
      return &lists.add(std::make_unique<ToyEntity>(*world, record, *spec));
    }
    case EntityKind::Fish:
      return &lists.add(std::make_unique<FishEntity>(*world, record));
    case EntityKind::Dress:
      return &lists.add(std::make_unique<DressEntity>(*world, record));
    case EntityKind::Bullet:
      return &lists.add(std::make_unique<BulletEntity>(*world, record));
    case EntityKind::Bobber:
      return &lists.add(std::make_unique<BobberEntity>(*world, record, lists.fishingOwners()));
    case EntityKind::Mob:
    case EntityKind::Pet: {
      std::unique_ptr<MobEntity> mob = createMobFromRecord(*world, record);
      if (mob == nullptr) return nullptr;
      return &lists.add(std::move(mob));
    }
    default:
      return nullptr;
  }
}
