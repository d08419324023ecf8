#include "entities/projectiles/bullet_factory.h"

#include <memory>

#include "content/format/content_format.h"
#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "entities/core/cell_operations.h"
#include "entities/core/world_entities.h"
#include "entities/projectiles/bobber_entity.h"
#include "world/world.h"

BulletEntity* createBulletEntity(WorldEntities& lists, int32_t row, uint32_t ownerId, engine::Vec2 position,
                                 float speed, float angle, uint32_t extra, bool hitsMobs, bool sparesPlayers) {
  World* world = lists.world();
  if (world == nullptr || row < 0 || row >= static_cast<int32_t>(content::kBulletCount)) return nullptr;
  MapBlock* cell = blockAtPoint(world->map(), position);
  if (cell == nullptr) return nullptr;
  const auto index = static_cast<uint16_t>(row);
  std::unique_ptr<BulletEntity> made;
  if (contentTables().bulletDefs[index].bobber() != 0) {
    made = std::make_unique<BobberEntity>(*world, index, ownerId, position, cell, speed, angle, lists.fishingOwners());
  } else {
    made = std::make_unique<BulletEntity>(*world, index, ownerId, position, cell, speed, angle, extra, hitsMobs,
                                          sparesPlayers);
  }
  return static_cast<BulletEntity*>(&lists.add(std::move(made)));
}

bool playerHasBobber(const WorldEntities& lists, uint32_t ownerId) {
  bool found = false;
  lists.bullets().forEach([&](const RealEntity& e) {
    found = found || (e.kind() == EntityKind::Bobber && !e.data.removed && ownerId != 0 && e.ownerId() == ownerId);
  });
  return found;
}
