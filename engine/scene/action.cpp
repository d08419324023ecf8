#include "engine/scene/action.h"

#include <cfloat>

namespace engine {

void Action::startWithTarget(Node* target) {
  originalTarget_ = target;
  target_ = target;
}

void ActionInterval::initWithDuration(float duration) {
  duration_ = duration == 0.0f ? FLT_EPSILON : duration;
  elapsed_ = 0.0f;
  firstTick_ = true;
}

void ActionInterval::startWithTarget(Node* target) {
  Action::startWithTarget(target);
  elapsed_ = 0.0f;
  firstTick_ = true;
}

void ActionInterval::step(float dt) { update(advance(dt)); }

void ActionInstant::step(float) { update(1.0f); }

}  // namespace engine
