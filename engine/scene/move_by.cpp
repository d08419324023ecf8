#include "engine/scene/move_by.h"

#include "engine/scene/move_steps.h"
#include "engine/scene/node.h"

namespace engine {

MoveBy* MoveBy::create(float duration, const Vec2& delta) {
  auto* action = new MoveBy();
  action->initWithDuration(duration);
  action->delta_ = delta;
  action->autorelease();
  return action;
}

MoveBy* MoveBy::reverse() const { return MoveBy::create(duration_, Vec2() - delta_); }

void MoveBy::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  startPosition_ = previousPosition_ = target->getPosition();
}

void MoveBy::update(float t) {
  if (target_ == nullptr) return;
  moveTarget(target_, delta_, startPosition_, previousPosition_, t);
}


MoveTo* MoveTo::create(float duration, const Vec2& position) {
  auto* action = new MoveTo();
  action->initWithDuration(duration);
  action->endPosition_ = position;
  action->autorelease();
  return action;
}

void MoveTo::startWithTarget(Node* target) {
  MoveBy::startWithTarget(target);
  delta_ = endPosition_ - target->getPosition();
}

}  // namespace engine
