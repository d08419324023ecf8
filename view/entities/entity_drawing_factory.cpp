#include "view/entities/entity_drawing_factory.h"

#include <cassert>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "engine/base/main_thread.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/core/world_entities.h"
#include "entities/items/dress_entity.h"
#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_entity.h"
#include "entities/projectiles/bullet_entity.h"
#include "view/entities/entity_art.h"
#include "world/cells/visible_cell_counts.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

bool hasTexture(const engine::SpriteBatchNode* layer) {
  return layer != nullptr && layer->getTexture() != nullptr;
}

// The part layout of the mob's row; null for a row outside the table.
const MobPartLayout* layoutOf(const MobEntity& mob) {
  const ContentTables& tables = contentTables();
  const MobDef* first = tables.mobDefs.data();
  const MobDef* row = &mob.row();
  if (row < first || row >= first + tables.mobDefs.size()) return nullptr;
  return &tables.mobPartLayouts[static_cast<size_t>(row - first)];
}

}  // namespace

EntityDrawingFactory* drawingFactoryOf(const World& world) {
  return dynamic_cast<EntityDrawingFactory*>(world.context().drawings);
}

void EntityDrawingFactory::setLayers(const EntityLayers& layers) {
  layers_ = layers;
  wrap_.worldWidth = layers.world != nullptr ? layers.world->map().width() : 0;
}

void EntityDrawingFactory::followPlayer(float playerX) {
  wrap_.playerX = playerX;
  wrap_.columns = visibleCellCounts().columns;
}

void EntityDrawingFactory::attachAll(WorldEntities& entities) {
  entities.forEach([this](RealEntity& entity) {
    if (entity.drawing() == nullptr) attach(entity);
  });
}

void EntityDrawingFactory::detachAll(WorldEntities& entities) {
  entities.forEach([](RealEntity& entity) { entity.attachDrawing(nullptr); });
}

void EntityDrawingFactory::relightAll(const WorldEntities& entities) {
  entities.forEach([](RealEntity& entity) {
    if (entity.drawing() != nullptr && entity.data.cell != nullptr) entity.drawing()->updateLight(*entity.data.cell);
  });
}

void EntityDrawingFactory::attach(RealEntity& entity) {
  // A world being built on the load thread is never the one on screen: its entities return here.
  if (layers_.world == nullptr || &entity.world() != layers_.world) return;
  assert(engine::isMainThread());
  switch (entity.kind()) {
    case EntityKind::Bullet:
    case EntityKind::Bobber:
      if (!hasTexture(layers_.bullets)) return;
      entity.attachDrawing(LocalBulletEntity::create(static_cast<BulletEntity&>(entity), *layers_.bullets, &wrap_));
      return;
    case EntityKind::Treasure:
    case EntityKind::Toy:
    case EntityKind::Fruit:
    case EntityKind::Fish: {
      if (!hasTexture(layers_.treasures)) return;
      const Item& item = static_cast<TreasureEntity&>(entity).item();
      engine::SpriteBatchNode* second = hasTexture(layers_.secondTreasures) ? layers_.secondTreasures : nullptr;
      entity.attachDrawing(LocalTreasureEntity::create(entity, *layers_.treasures, second,
                                                       entity_art::itemIconRect(item),
                                                       item.count, &wrap_));
      return;
    }
    case EntityKind::Dress: {
      if (!hasTexture(layers_.dresses)) return;
      const auto& dress = static_cast<DressEntity&>(entity);
      entity.attachDrawing(
          LocalEntity::create(entity, *layers_.dresses, entity_art::dressRect(dress.dressItem), &wrap_, dress.zOrder()));
      return;
    }
    case EntityKind::Mob:
    case EntityKind::Pet: {
      if (layers_.mobs.mobNode == nullptr || layers_.mobs.partsTexture == nullptr) return;
      const auto& mob = static_cast<MobEntity&>(entity);
      const MobPartLayout* layout = layoutOf(mob);
      if (layout == nullptr) return;
      entity.attachDrawing(LocalMobEntity::create(mob, pickMobParts(mob.row(), *layout), layers_.mobs, &wrap_));
      return;
    }
    case EntityKind::None:
      return;
  }
}
