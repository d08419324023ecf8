#pragma once
// What an edit asks of the entities, which sit above the world model: bodies resting on a cell
// that opened fall again, and debris bursts show a block breaking. The entities register their
// implementation at launch; the null form does nothing, so headless worlds and tests run without
// entities, and tests register a recording form. Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/base/seam.h"

class Entity;
class MapBlock;

class EntityEffects {
 public:
  virtual ~EntityEffects() = default;
  // Resting treasures and mobs on the cell above fall again; bullets stuck there are released.
  virtual void wakeEntitiesAbove(MapBlock& cell) = 0;
  // Pieces cut from a block's (or decoration's) sprite, anchored to a cell.
  virtual void spawnCutDebris(uint16_t blockId, uint8_t variant, bool back, uint32_t count,
                              engine::Vec2 position, MapBlock& cell, uint8_t lifetimeKind) = 0;
  // The entity leaves the world at the end of its tick (a fruit released in a creative world).
  virtual void markForRemoval(Entity*) {}
};

class NullEntityEffects final : public EntityEffects {
 public:
  void wakeEntitiesAbove(MapBlock&) override {}
  void spawnCutDebris(uint16_t, uint8_t, bool, uint32_t, engine::Vec2, MapBlock&, uint8_t) override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<EntityEffects, NullEntityEffects>& entityEffectsSeam();
inline EntityEffects& entityEffects() { return entityEffectsSeam().get(); }
inline void setEntityEffects(EntityEffects* effects) { entityEffectsSeam().set(effects); }

// The pixel position of a cell: 30 pixels a cell, y upwards.
engine::Vec2 cellPixelPosition(const MapBlock& cell);
