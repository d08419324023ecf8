#pragma once
// A networked entity: it has an id within its world, a per-kind countdown (`timer`: a treasure's
// lifetime, a bobber's bite timer) and a record that describes it to peers. After the cell
// collision of every tick it feels the cell's liquid: submerged, it drifts with the flow and keeps
// 50 % of its speed per tick (mobs and pets 95 %, bobbers 80 %); out of liquid it keeps 99 %.
// Treasures, fruit and toys burn in lava where rules run (effect 24).
//
// Main thread only.

#include "entities/core/moving_entity.h"

struct EntityRecord;

class RealEntity : public MovingEntity {
 public:
  static constexpr uint8_t kLavaEffect = 24;

  using MovingEntity::MovingEntity;

  // Every kind a record may name is networked; the rest (the view's debris) is not.
  static bool holdsKind(EntityKind kind) { return isRecordKind(static_cast<uint8_t>(kind)); }

  void collide() override;
  // Fills the record's common part (header, id, physics state); kinds add their own fields.
  virtual void toRecord(EntityRecord& record) const;
  // The player left the game: an entity it threw or cast keeps going without it.
  virtual void forgetOwner(uint32_t) {}
  // A frozen projectile of a row that wakes when its cell or the cell above changes.
  virtual bool wakesOnCellChange() const { return false; }

  float timer = 0;

 protected:
  void applyLiquid();
  // Rules run for this entity's world (a local game or a host); a client only follows.
  bool hasRules() const;
};

// The liquid response after a move: a submerged body keeps 50 % of its speed per tick (mobs and
// pets 95 %, bobbers 80 %) and drifts with the flow (not mobs, pets, bobbers); out of liquid it
// keeps 99 %. True when the body is submerged.
bool applyLiquidMotion(EntityData& data);

// Rules run for the world (a local game or a host): its context names them.
bool worldHasRules(const World& world);
