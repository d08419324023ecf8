#pragma once
// What an edit asks of the entities, which sit above the world model: bodies resting on a cell
// that opened fall again, debris bursts show a block breaking, and whether one stands where a
// block would go. The entities register their
// implementation at launch; the null form does nothing, so headless worlds and tests run without
// entities, and tests register a recording form. Main thread only.
//
// The world keeps no entity pointer across calls: what it holds on to (a shelf's displays, the
// fruits hanging on a plant) it holds by `EntityId`, which it gets here for an entity the rules
// just made and resolves here each time it acts on it. An id names one entity only, never reused,
// and resolves to null once the entity is gone; the null form knows no entity.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/base/seam.h"
#include "world/entities/entity_id.h"

class Entity;
class MapBlock;

class EntityEffects {
 public:
  virtual ~EntityEffects() = default;
  // Resting treasures and mobs on the cell above fall again; bullets stuck there are released.
  virtual void wakeEntitiesAbove(MapBlock& cell) = 0;
  // Pieces cut from a block's (or decoration's) sprite, scattered over `size` pixels around the
  // cell; a back-layer block's pieces are darkened.
  virtual void spawnCutDebris(uint16_t blockId, uint8_t variant, bool back, uint32_t count,
                              engine::Vec2 position, MapBlock& cell, uint8_t size) = 0;
  // The entity leaves the world at the end of its tick (a fruit released in a creative world).
  virtual void markForRemoval(Entity*) {}
  // The id of an entity handed out by the rules or a seam; kNoEntity for null.
  virtual EntityId idOf(const Entity* entity) = 0;
  // The entity while it lives; null once it is gone (or for kNoEntity).
  virtual Entity* entityById(EntityId id) = 0;
  // An entity other than a pet stands in the cell: no block may be placed over it.
  virtual bool blocksPlacementIn(const MapBlock& cell) = 0;
};

class NullEntityEffects final : public EntityEffects {
 public:
  void wakeEntitiesAbove(MapBlock&) override {}
  void spawnCutDebris(uint16_t, uint8_t, bool, uint32_t, engine::Vec2, MapBlock&, uint8_t) override {}
  EntityId idOf(const Entity*) override { return kNoEntity; }
  Entity* entityById(EntityId) override { return nullptr; }
  bool blocksPlacementIn(const MapBlock&) override { return false; }
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<EntityEffects, NullEntityEffects>& entityEffectsSeam();
EntityEffects& entityEffects();
void setEntityEffects(EntityEffects* effects);

// The pixel position of a cell: 30 pixels a cell, y upwards.
engine::Vec2 cellPixelPosition(const MapBlock& cell);
