#include "engine/scene/repeat_forever.h"

#include <cmath>

#include "engine/scene/action_stepping.h"

namespace engine {

RepeatForever* RepeatForever::create(ActionInterval* inner) {
  if (inner == nullptr) return nullptr;
  auto* action = new RepeatForever();
  inner->retain();
  action->inner_ = inner;
  action->autorelease();
  return action;
}

RepeatForever::~RepeatForever() { safeRelease(inner_); }

RepeatForever* RepeatForever::reverse() const {
  return create(inner_->reverse());
}

void RepeatForever::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  inner_->startWithTarget(target);
}

void RepeatForever::step(float dt) {
  stepAction(inner_, dt);
  if (!isActionDone(inner_)) return;
  const float duration = inner_->getDuration();
  float overshoot = inner_->getElapsed() - duration;
  if (overshoot > duration) overshoot = std::fmod(overshoot, duration);
  inner_->startWithTarget(target_);
  stepAction(inner_, 0.0f);  // the first tick of the new cycle applies t = 0
  stepAction(inner_, overshoot);
}

void RepeatForever::prefetchParts(int depth) const {
  if (depth <= 1) {
    __builtin_prefetch(inner_);
  } else {
    inner_->prefetchParts(depth - 1);
  }
}

}  // namespace engine
