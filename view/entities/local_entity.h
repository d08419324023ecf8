#pragma once
// The drawing sides of the sprite-drawn entities. Each owns one node in an entity layer (retained
// from construction to destruction, taken off its layer when it goes), moves it with the entity,
// tints it with the light of the entity's cell (entity_tint.h) and keeps the node's owner slot
// pointing at the entity.
//
// `LocalEntity`: projectiles, bobbers and dropped clothes, one sprite. `LocalTreasureEntity`:
// items, toys, fruit and fish; a stack of more than one item shows a second icon 3 points right
// and 1 up, on the second treasures batch.
//
// Made by the entity drawing factory (entity_drawing_factory.h) when an entity joins its lists.
// Main thread only.

#include <memory>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"
#include "entities/core/entity.h"
#include "view/entities/entity_sprite.h"

class BulletEntity;

namespace engine {
class InnerNode;
class SpriteBatchNode;
}  // namespace engine

// What every drawing side shares: its node, and the entity it draws (for its world's darkness).
template <class NodeType>
class BaseLocalEntity : public EntityDrawing {
 public:
  ~BaseLocalEntity() override;
  void updateLight(const MapBlock& cell) override;
  virtual void setColor(const engine::Color3B& colour) = 0;
  NodeType* node() const { return node_; }

 protected:
  BaseLocalEntity(const Entity& entity, NodeType* node);
  const Entity& entity_;
  engine::RefPtr<NodeType> node_;
};

class LocalEntity : public BaseLocalEntity<EntitySprite> {
 public:
  // A sprite of the layer's texture and the rectangle, at the entity's place and in its light,
  // added to the layer at the z order given (dropped clothes draw in the order of their slot).
  static std::unique_ptr<LocalEntity> create(const Entity& entity, engine::SpriteBatchNode& layer,
                                             const engine::Rect& rect, const WrapFrame* wrap, int zOrder = 0);

  void setPosition(const EntityData& data) override;
  void setColor(const engine::Color3B& colour) override;
  // Engine degrees (clockwise); only a change marks the sprite dirty.
  void setRotation(float degrees) override;

 protected:
  LocalEntity(const Entity& entity, EntitySprite* sprite) : BaseLocalEntity(entity, sprite) {}
  void place(engine::SpriteBatchNode& layer, int zOrder = 0);
};

// A projectile or bobber: a sticking row shows its stuck picture once the projectile stops.
class LocalBulletEntity final : public LocalEntity {
 public:
  static std::unique_ptr<LocalBulletEntity> create(const BulletEntity& bullet, engine::SpriteBatchNode& layer,
                                                   const WrapFrame* wrap);

  void setPosition(const EntityData& data) override;

 private:
  LocalBulletEntity(const BulletEntity& bullet, EntitySprite* sprite);

  const BulletEntity& bullet_;
  bool stuckShown_ = false;
};

class LocalTreasureEntity final : public LocalEntity {
 public:
  static constexpr engine::Vec2 kOverlayOffset{3.0f, 1.0f};

  // `overlayLayer` (the second treasures batch) is used only for a stack above 1.
  static std::unique_ptr<LocalTreasureEntity> create(const Entity& entity, engine::SpriteBatchNode& layer,
                                                     engine::SpriteBatchNode* overlayLayer,
                                                     const engine::Rect& rect, uint16_t count,
                                                     const WrapFrame* wrap);
  ~LocalTreasureEntity() override;

  void setPosition(const EntityData& data) override;
  void setColor(const engine::Color3B& colour) override;
  engine::Sprite* overlay() const { return overlay_; }

 private:
  LocalTreasureEntity(const Entity& entity, EntitySprite* sprite) : LocalEntity(entity, sprite) {}

  engine::RefPtr<engine::Sprite> overlay_;
};
