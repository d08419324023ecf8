#pragma once
// What a stable needs of the mobs it keeps, which live in the entity lists above the world model:
// where a mob stands, its back reference to the stable, its removal mark and the effects shown on
// it. Mobs are made through the rules (`Logic::spawnMob`); the stable keeps each by its id
// (`idOf`), and every operation resolves the id (doing nothing, or answering no cell, for a mob
// that is gone). A world reaches it through its context; the null form knows no
// mob. Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "world/blocks/logic_block.h"
#include "world/entities/entity_id.h"

class MobEntity;

class StableMobs {
 public:
  virtual ~StableMobs() = default;
  // The id of a mob the rules just made; kNoEntity for null.
  virtual EntityId idOf(MobEntity* mob) = 0;
  // The mob's cell; false when the mob has none (or is gone).
  virtual bool cellOf(EntityId mob, int32_t& x, int32_t& y) = 0;
  virtual engine::Vec2 positionOf(EntityId mob) = 0;
  // The mob's stable back reference (no handle: free).
  virtual void setStable(EntityId mob, BlockEntityHandle stable) = 0;
  virtual void markRemoved(EntityId mob) = 0;
  // An effect shown on the mob on every machine (29 hungry, 30 born, 31 let go).
  virtual void broadcastEffect(EntityId mob, uint8_t effect) = 0;
};

class NullStableMobs final : public StableMobs {
 public:
  EntityId idOf(MobEntity*) override { return kNoEntity; }
  bool cellOf(EntityId, int32_t&, int32_t&) override { return false; }
  engine::Vec2 positionOf(EntityId) override { return {}; }
  void setStable(EntityId, BlockEntityHandle) override {}
  void markRemoved(EntityId) override {}
  void broadcastEffect(EntityId, uint8_t) override {}
};
