#pragma once
// The root of everything that moves in a world apart from the players, and the physics state at
// the head of every moving entity. An entity ends by setting `removed`; the list that holds it
// deletes it at the end of the tick (entity_layer.h). It keeps no pointer to an owner or a target
// that can vanish: owners are player ids resolved through the world's rules each time.
//
// An entity's drawing side is attached by the view (`EntityDrawing`); headless, and until the
// view attaches one, it is absent and nothing is drawn. The simulation never waits for it.
//
// Main thread only.

#include <cstdint>
#include <memory>

#include "entities/core/entity_kind.h"
#include "world/entities/entity_id.h"

class MapBlock;
class World;

// The physics state. Its first 48 bytes (x to the three zero bytes after `kind`) travel in the
// network record, field by field.
struct EntityData {
  float x = 0;
  float y = 0;
  float vx = 0;  // pixels per tick, positive right
  float vy = 0;  // pixels per tick, positive up
  float impulseX = 0;  // added to the velocity at the next tick, then cleared
  float impulseY = 0;
  float cellX = 0;  // pixel centre of the current cell (column x 30)
  float cellY = 0;
  uint32_t rowValue = 0;  // copied from the definition row; never read by the physics
  float halfWidth = 0;
  float halfHeight = 0;
  EntityKind kind = EntityKind::None;
  MapBlock* cell = nullptr;  // null only when placed outside the map rows
  bool removed = false;
  bool moving = true;
  bool frozen = false;
};

// The view's side of an entity: its node follows the entity and takes its cell's light.
class EntityDrawing {
 public:
  virtual ~EntityDrawing() = default;
  virtual void setPosition(const EntityData& data) = 0;
  virtual void updateLight(const MapBlock& cell) = 0;
  // Degrees, counter-clockwise; a drawing side that does not turn ignores it.
  virtual void setRotation(float) {}
  // A mob's health bar shows the fraction for a moment; other drawings ignore it.
  virtual void showHealth(float) {}
};

class Entity {
 public:
  explicit Entity(World& world) : world_(&world) {}
  virtual ~Entity() = default;
  Entity(const Entity&) = delete;
  Entity& operator=(const Entity&) = delete;

  virtual void update() = 0;
  // It came to a stop for good: by default it ends.
  virtual void onStop() { data.removed = true; }
  // The id of the player that threw or shot it, 0 for none.
  virtual uint32_t ownerId() const { return 0; }

  World& world() const { return *world_; }
  EntityId id() const { return id_; }
  void setId(EntityId id) { id_ = id; }
  EntityKind kind() const { return data.kind; }

  void attachDrawing(std::unique_ptr<EntityDrawing> drawing) { drawing_ = std::move(drawing); }
  EntityDrawing* drawing() const { return drawing_.get(); }

  EntityData data;
  // Set by the list once it has taken the entity's removal (it is deleted at the end of the step).
  bool collected = false;

 protected:
  void drawPosition() {
    if (drawing_ != nullptr) drawing_->setPosition(data);
  }
  void drawLight() {
    if (drawing_ != nullptr && data.cell != nullptr) drawing_->updateLight(*data.cell);
  }

 private:
  World* world_;
  EntityId id_ = kNoEntity;
  std::unique_ptr<EntityDrawing> drawing_;
};
