#include "engine/scene/scale_to.h"

#include "engine/scene/node.h"

namespace engine {

ScaleTo* ScaleTo::create(float duration, float scale) { return createXY(duration, scale, scale); }

ScaleTo* ScaleTo::createXY(float duration, float scaleX, float scaleY) {
  auto* action = new ScaleTo();
  action->initWithDuration(duration);
  action->endScaleX_ = scaleX;
  action->endScaleY_ = scaleY;
  action->autorelease();
  return action;
}

void ScaleTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  startScaleX_ = target->getScaleX();
  startScaleY_ = target->getScaleY();
  deltaX_ = endScaleX_ - startScaleX_;
  deltaY_ = endScaleY_ - startScaleY_;
}

void ScaleTo::update(float t) {
  if (target_ == nullptr) return;
  target_->setScaleX(startScaleX_ + deltaX_ * t);
  target_->setScaleY(startScaleY_ + deltaY_ * t);
}

}  // namespace engine
