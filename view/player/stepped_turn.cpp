#include "view/player/stepped_turn.h"

#include <algorithm>
#include <cmath>

#include "engine/scene/node.h"

SteppedTurn* SteppedTurn::create(float duration, float degrees) {
  auto* action = new SteppedTurn();
  action->initWithDuration(duration);
  action->angle_ = degrees;
  action->autorelease();
  return action;
}

void SteppedTurn::startWithTarget(engine::Node* target) {
  ActionInterval::startWithTarget(target);
  startAngle_ = target->getRotation();
}

float SteppedTurn::restingAngle(float degrees) { return std::round(degrees / kStepDegrees) * kStepDegrees; }

float SteppedTurn::shownAngle(float start, float degrees, float t) {
  if (t >= 1.0f) return start + degrees;
  // The whole step behind the turn's present angle, on the way from the start; the start itself
  // until the first whole step is reached.
  const float now = (start + degrees * t) / kStepDegrees;
  const float step = (degrees >= 0.0f ? std::floor(now) : std::ceil(now)) * kStepDegrees;
  return degrees >= 0.0f ? std::max(step, start) : std::min(step, start);
}

void SteppedTurn::update(float t) {
  if (target_ == nullptr) return;
  target_->setRotation(shownAngle(startAngle_, angle_, t));
}
