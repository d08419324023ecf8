#include "view/entities/entity_sprite.h"

namespace {

constexpr float kCellPixels = 30.0f;

}  // namespace

float wrapToPlayerSide(float x, const WrapFrame& frame) {
  if (frame.worldWidth <= 0) return x;
  const float n = static_cast<float>(frame.columns);
  const float w = static_cast<float>(frame.worldWidth);
  if (frame.playerX < 2.0f * n * kCellPixels && x >= (w - n) * kCellPixels) return x - w * kCellPixels;
  if (frame.playerX > (w - 2.0f * n) * kCellPixels && x <= n * kCellPixels) return x + w * kCellPixels;
  return x;
}

EntitySprite* EntitySprite::create(engine::Texture2D* texture, const engine::Rect& rect,
                                   const WrapFrame* wrap) {
  auto* sprite = new EntitySprite();
  sprite->wrap_ = wrap;
  sprite->initWithTexture(texture, rect);
  sprite->autorelease();
  return sprite;
}

void EntitySprite::setPosition(const engine::Vec2& position) {
  const float x = wrap_ != nullptr ? wrapToPlayerSide(position.x, *wrap_) : position.x;
  setDirty(true);
  engine::Sprite::setPosition(engine::Vec2(x, position.y));
}

EntityInnerNode* EntityInnerNode::create(const WrapFrame* wrap) {
  auto* node = new EntityInnerNode();
  node->wrap_ = wrap;
  node->autorelease();
  return node;
}

void EntityInnerNode::setPosition(const engine::Vec2& position) {
  // The node's own update skips a move below FLT_EPSILON on both axes.
  const float x = wrap_ != nullptr ? wrapToPlayerSide(position.x, *wrap_) : position.x;
  engine::InnerNode::setPosition(engine::Vec2(x, position.y));
}
