#pragma once
// The two nodes that draw entities, and the placement both share. The world is a cylinder: x wraps
// at the world's width. An entity just across the seam from the local player is drawn next to the
// player (a world's width to the left or right of its own x), not a world away.
//
// `EntitySprite` draws a simple entity (a projectile, a bobber, an item, dropped clothes);
// `EntityInnerNode` holds the part sprites of a mob. Both come from the general heap, as every
// node does, where the sanitizers see a leaked or a freed one.
//
// Main thread only.

#include <cstdint>

#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"

namespace engine {
class Texture2D;
}

// What the seam placement reads: the local player's pixel x, the visible column count and the
// world's width in cells. A frame with no width places nothing.
struct WrapFrame {
  float playerX = 0.0f;
  int32_t columns = 0;
  int32_t worldWidth = 0;
};

// The x at which to draw an entity at x for the frame; cells are 30 pixels.
float wrapToPlayerSide(float x, const WrapFrame& frame);

class EntitySprite final : public engine::Sprite {
 public:
  // Autoreleased; the frame (may be null: no wrapping) must outlive the sprite.
  static EntitySprite* create(engine::Texture2D* texture, const engine::Rect& rect,
                              const WrapFrame* wrap);

  using engine::Sprite::setPosition;
  void setPosition(const engine::Vec2& position) override;
  // The entity whose drawing this is (the entity lists step entities through their nodes).
  void setOwner(void* owner) { setUserData(owner); }

 private:
  EntitySprite() = default;
  const WrapFrame* wrap_ = nullptr;
};

class EntityInnerNode final : public engine::InnerNode {
 public:
  static EntityInnerNode* create(const WrapFrame* wrap);

  using engine::InnerNode::setPosition;
  // Placed like an entity sprite; a move smaller than FLT_EPSILON on both axes leaves the
  // transform untouched.
  void setPosition(const engine::Vec2& position) override;

 private:
  EntityInnerNode() = default;
  const WrapFrame* wrap_ = nullptr;
};
