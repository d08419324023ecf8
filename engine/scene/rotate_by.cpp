#include "engine/scene/rotate_by.h"

#include "engine/scene/node.h"

namespace engine {

RotateBy* RotateBy::create(float duration, float degrees) {
  auto* action = new RotateBy();
  action->initWithDuration(duration);
  action->angle_ = degrees;
  action->autorelease();
  return action;
}

void RotateBy::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  startAngle_ = target->getRotation();
}

void RotateBy::update(float t) {
  if (target_ == nullptr) return;
  target_->setRotation(startAngle_ + angle_ * t);
}

}  // namespace engine
