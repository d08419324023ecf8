#pragma once
// The view's side of the entities' drawings (entities/core/entity_drawings.h): gives each
// entity that joins a world's lists the drawing side of its kind, on the layers the main layer
// hands it. Projectiles and bobbers draw on the bullet batch, items, toys, fruit and fish on the
// treasure batch (a stack's second icon on the second treasures batch), dropped clothes on the
// dress batch, mobs and pets in the mob node from the mobs texture with their bars on the
// health-bar batch. Where a layer is missing the entity stays undrawn: never a null texture.
//
// How the main layer uses this: the application gives one factory to the worlds it plays
// (`WorldContext::drawings`), which `drawingFactoryOf(world)` finds again; when the main layer
// has built the world's batches it calls `setLayers` with them and the
// running world, then `attachAll` for the entities that joined before; each frame
// `followPlayer(player pixel x)` before the entities step; `relightAll` when the whole view is
// re-tinted (the clock's darkness changed); in the teardown, while the world lives on,
// `detachAll` (its entities step on undrawn until a view is built again), then `setLayers({})`.
//
// Main thread only.

#include "entities/core/entity_drawings.h"
#include "view/entities/entity_sprite.h"
#include "view/entities/local_mob_entity.h"

namespace engine {
class InnerNode;
class SpriteBatchNode;
}  // namespace engine

class WorldEntities;
class World;

struct EntityLayers {
  World* world = nullptr;  // entities of other worlds stay undrawn
  engine::SpriteBatchNode* treasures = nullptr;
  engine::SpriteBatchNode* secondTreasures = nullptr;
  engine::SpriteBatchNode* bullets = nullptr;
  engine::SpriteBatchNode* dresses = nullptr;
  MobLayers mobs;
};

class EntityDrawingFactory final : public EntityDrawings {
 public:
  void attach(RealEntity& entity) override;

  // Not retained: the main layer keeps them for as long as they are set.
  void setLayers(const EntityLayers& layers);
  const EntityLayers& layers() const { return layers_; }
  // Every entity of the lists that has no drawing side yet gets one.
  void attachAll(WorldEntities& entities);
  // Every entity of the lists loses its drawing side: its node leaves the batch it was drawn on.
  static void detachAll(WorldEntities& entities);
  // Every drawn entity takes its cell's light again (the world's darkness or light changed).
  static void relightAll(const WorldEntities& entities);
  // The local player's pixel x, for the placement across the world's seam.
  void followPlayer(float playerX);
  const WrapFrame& wrapFrame() const { return wrap_; }

 private:
  EntityLayers layers_;
  WrapFrame wrap_;
};

// The factory the world draws its entities with; null when it has none or another form.
EntityDrawingFactory* drawingFactoryOf(const World& world);
