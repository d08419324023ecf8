#pragma once
// An entity with physics: one fixed tick adds the pending impulse and gravity (0.3 pixels per
// tick per tick, downwards) to the velocity, moves, and resolves the move against the 30-pixel
// map cells, the horizontal axis first, then the vertical axis against the cell the horizontal
// step left current, then the rest test. Each cell response is a virtual operation that kinds
// override (projectiles stick, toys bounce harder). x wraps around the world's width.
//
// The resolution follows one cell per axis per tick, so no entity moves further than kMaxSpeed a
// tick on either axis: the velocity is held to it after the impulse and gravity are added, a
// pending impulse is held to it too, and the list's step holds both after each kind's own step, so
// what an entity writes in its record stays readable.
//
// Main thread only.

#include "engine/base/geometry.h"
#include "entities/core/entity.h"

class WorldMap;

class MovingEntity : public Entity {
 public:
  static constexpr float kGravity = 0.3f;
  static constexpr float kCell = 30.0f;
  static constexpr float kHalfCell = 15.0f;
  // Pixels per tick on one axis, for velocity and for a pending impulse: below half a cell, so the
  // centre never passes a cell that the resolution did not look at.
  static constexpr float kMaxSpeed = 12.0f;
  static_assert(kMaxSpeed < kHalfCell, "a tick's move must stay within the next cell");

  // Starts at `position` (moved by up to `spread` pixels each way when spread > 1) on `cell`
  // (null outside the map rows), with the start motion as its first impulse.
  MovingEntity(World& world, EntityKind kind, MapBlock* cell, engine::Vec2 position, uint32_t rowValue, float speed,
               float angle, float spread);
  // From a record's physics state; the cell is the one under the cell centre.
  MovingEntity(World& world, const EntityData& state);

  void update() override;

  virtual void enterLeftCell();
  virtual void enterRightCell();
  virtual void enterUpperCell();
  virtual void enterLowerCell();
  virtual void hitLeftWall();
  virtual void hitRightWall();
  virtual void hitFloor();
  virtual void hitCeiling();
  virtual void collide();
  virtual void onRest();
  // Nothing when strength <= 0; wakes the entity.
  virtual void addImpulse(float strength, float angle, bool reset);
  // The horizontal impulse only; wakes the entity.
  virtual void setImpulse(engine::Vec2 impulse);
  // Velocity and pending impulse held to kMaxSpeed: the step's driver calls it after every kind's
  // own step, whatever that step set.
  void holdToMaxSpeed();

 protected:
  WorldMap& map() const;
  // One step of motion: impulse and gravity into the velocity, then the move and `collide`.
  void move();
  // The body put against a side of its cell (what every wall response does first).
  void touchLeftWall() { data.x = data.cellX - kHalfCell + data.halfWidth; }
  void touchRightWall() { data.x = data.cellX + kHalfCell - data.halfWidth; }
  void touchFloor() { data.y = data.cellY - kHalfCell + data.halfHeight; }
  void touchCeiling() { data.y = data.cellY + kHalfCell - data.halfHeight; }
  void restTest();
};
