#include "engine/scene/action.h"

#include <algorithm>
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

void ActionInterval::step(float dt) {
  if (firstTick_) {
    firstTick_ = false;
    elapsed_ = 0.0f;
  } else {
    elapsed_ += dt;
  }
  const float t = elapsed_ / std::max(duration_, FLT_EPSILON);
  update(std::clamp(t, 0.0f, 1.0f));
}

void ActionInstant::step(float) { update(1.0f); }

}  // namespace engine
