#include "engine/scene/sequence.h"

#include "engine/scene/action_stepping.h"

namespace engine {

Sequence* Sequence::createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second) {
  // A missing half (the null reverse of an action that has none) gives no action at all.
  if (first == nullptr || second == nullptr) return nullptr;
  auto* action = new Sequence();
  action->initWithDuration(first->getDuration() + second->getDuration());
  first->retain();
  second->retain();
  action->actions_[0] = first;
  action->actions_[1] = second;
  action->autorelease();
  return action;
}

Sequence::~Sequence() {
  safeRelease(actions_[0]);
  safeRelease(actions_[1]);
}

Sequence* Sequence::clone() const {
  return createWithTwoActions(actions_[0]->clone(), actions_[1]->clone());
}

Sequence* Sequence::reverse() const {
  return createWithTwoActions(actions_[1]->reverse(), actions_[0]->reverse());
}

void Sequence::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  split_ = actions_[0]->getDuration() / duration_;
  last_ = -1;
}

void Sequence::stop() {
  if (last_ != -1) actions_[last_]->stop();
  ActionInterval::stop();
}

void Sequence::update(float t) {
  int found = 0;
  float localT = 0.0f;
  if (t < split_) {
    localT = split_ == 0.0f ? 1.0f : t / split_;
  } else {
    found = 1;
    localT = split_ == 1.0f ? 1.0f : (t - split_) / (1.0f - split_);
  }

  if (found == 1) {
    if (last_ == -1) {
      // The first action was skipped over in one step: give it its whole run now.
      actions_[0]->startWithTarget(target_);
      updateAction(actions_[0], 1.0f);
      actions_[0]->stop();
    } else if (last_ == 0) {
      updateAction(actions_[0], 1.0f);
      actions_[0]->stop();
    }
  } else if (last_ == 1) {
    updateAction(actions_[1], 0.0f);
    actions_[1]->stop();
  }

  if (found == last_ && isActionDone(actions_[found])) return;
  if (found != last_) actions_[found]->startWithTarget(target_);
  updateAction(actions_[found], localT);
  last_ = found;
}

void Sequence::prefetchParts(int depth) const {
  // Only the half that runs now (or runs first) is read by the next step.
  const FiniteTimeAction* running = actions_[last_ == 1 ? 1 : 0];
  if (depth <= 1) {
    __builtin_prefetch(running);
  } else {
    running->prefetchParts(depth - 1);
  }
}

}  // namespace engine
