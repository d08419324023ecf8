#include "engine/scene/repeat_forever.h"

#include "engine/scene/action_stepping.h"
#include "engine/scene/composite_steps.h"

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

namespace {

// The inner action as stepRepeatForever reaches it.
struct RepeatedAction {
  ActionInterval* action;
  Node* target;
  void step(float dt) { stepAction(action, dt); }
  bool isDone() const { return isActionDone(action); }
  float elapsed() const { return action->getElapsed(); }
  float duration() const { return action->getDuration(); }
  void start() { action->startWithTarget(target); }
};

}  // namespace

void RepeatForever::step(float dt) {
  RepeatedAction inner{inner_, target_};
  stepRepeatForever(inner, dt);
}

void RepeatForever::prefetchParts(int depth) const {
  if (depth <= 1) {
    __builtin_prefetch(inner_);
  } else {
    inner_->prefetchParts(depth - 1);
  }
}

}  // namespace engine
