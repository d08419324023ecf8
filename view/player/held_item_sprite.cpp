#include "view/player/held_item_sprite.h"

#include <algorithm>
#include <cmath>

#include "content/art/tool_atlas_layout.h"

HeldPose heldPoseFor(float degrees, bool mirrored) {
  const float eighths = std::round(degrees / art::kTurnedToolDegrees);
  const float nearest = eighths * art::kTurnedToolDegrees;
  if (std::fmod(std::fabs(eighths), 2.0f) == 0.0f) return {false, nearest};
  // The copy is turned clockwise in the picture; flipped across, that turn runs anticlockwise.
  return {true, mirrored ? nearest + art::kTurnedToolDegrees : nearest - art::kTurnedToolDegrees};
}

float heldRestAngle(float recordAngle) {
  constexpr float kThreeEighthsBack = -3.0f * art::kTurnedToolDegrees;
  return std::min(std::round(recordAngle / art::kTurnedToolDegrees) * art::kTurnedToolDegrees, kThreeEighthsBack);
}

HeldItemSprite* HeldItemSprite::create(engine::Texture2D* texture) {
  auto* sprite = new HeldItemSprite();
  if (!sprite->initWithTexture(texture, engine::Rect())) {
    delete sprite;
    return nullptr;
  }
  sprite->autorelease();
  return sprite;
}

void HeldItemSprite::showSwingPicture(const engine::Rect& picture, engine::Vec2 grip) {
  picture_ = picture;
  grip_ = grip;
  turnable_ = art::hasTurnedTool(picture);
  applyPose();
}

void HeldItemSprite::showPicture(const engine::Rect& picture, engine::Vec2 grip) {
  picture_ = picture;
  grip_ = grip;
  turnable_ = false;
  applyPose();
}

void HeldItemSprite::setRotation(float degrees) {
  angle_ = degrees;
  applyPose();
}

void HeldItemSprite::setScaleX(float scaleX) {
  engine::Sprite::setScaleX(scaleX);
  applyPose();
}

void HeldItemSprite::applyPose() {
  if (!turnable_) {
    setTextureRect(picture_);
    setAnchorPoint(grip_);
    engine::Sprite::setRotation(angle_);
    return;
  }
  const HeldPose pose = heldPoseFor(angle_, getScaleX() < 0.0f);
  // The turned copy holds its grip at its centre.
  setTextureRect(pose.turned ? art::turnedToolRect(picture_) : picture_);
  setAnchorPoint(pose.turned ? engine::Vec2(0.5f, 0.5f) : grip_);
  engine::Sprite::setRotation(pose.rotation);
}
