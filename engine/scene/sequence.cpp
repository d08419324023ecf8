#include "engine/scene/sequence.h"

#include "engine/scene/action_stepping.h"
#include "engine/scene/composite_steps.h"

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

namespace {

// The two parts as updateSequence reaches them.
struct SequenceParts {
  FiniteTimeAction* const* actions;
  Node* target;
  void start(int i) { actions[i]->startWithTarget(target); }
  void update(int i, float t) { updateAction(actions[i], t); }
  void stop(int i) { actions[i]->stop(); }
  bool isDone(int i) const { return isActionDone(actions[i]); }
};

}  // namespace

void Sequence::update(float t) {
  SequenceParts parts{actions_, target_};
  last_ = updateSequence(parts, split_, last_, t);
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
