#include "engine/scene/spawn.h"

#include <algorithm>

#include "engine/scene/action_stepping.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/sequence.h"

namespace engine {

Spawn* Spawn::createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second) {
  // A missing half (the null reverse of an action that has none) gives no action at all.
  if (first == nullptr || second == nullptr) return nullptr;
  const float d1 = first->getDuration();
  const float d2 = second->getDuration();
  auto* action = new Spawn();
  action->initWithDuration(std::max(d1, d2));
  FiniteTimeAction* one = first;
  FiniteTimeAction* two = second;
  if (d1 > d2) {
    two = Sequence::createWithTwoActions(second, DelayTime::create(d1 - d2));
  } else if (d2 > d1) {
    one = Sequence::createWithTwoActions(first, DelayTime::create(d2 - d1));
  }
  one->retain();
  two->retain();
  action->one_ = one;
  action->two_ = two;
  action->autorelease();
  return action;
}

Spawn::~Spawn() {
  safeRelease(one_);
  safeRelease(two_);
}

Spawn* Spawn::clone() const { return createWithTwoActions(one_->clone(), two_->clone()); }

Spawn* Spawn::reverse() const {
  return createWithTwoActions(one_->reverse(), two_->reverse());
}

void Spawn::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  one_->startWithTarget(target);
  two_->startWithTarget(target);
}

void Spawn::stop() {
  one_->stop();
  two_->stop();
  ActionInterval::stop();
}

void Spawn::update(float t) {
  // The second half is a separate allocation: ask for it while the first half runs.
  __builtin_prefetch(two_);
  updateAction(one_, t);
  updateAction(two_, t);
}

void Spawn::prefetchParts(int depth) const {
  if (depth <= 1) {
    __builtin_prefetch(one_);
    __builtin_prefetch(two_);
  } else {
    one_->prefetchParts(depth - 1);
    two_->prefetchParts(depth - 1);
  }
}

}  // namespace engine
