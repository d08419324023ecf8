#include "engine/scene/action_ease.h"

namespace engine {

ActionEase::~ActionEase() { safeRelease(inner_); }

void ActionEase::initWithAction(ActionInterval* inner) {
  initWithDuration(inner->getDuration());
  inner->retain();
  inner_ = inner;
}

void ActionEase::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  inner_->startWithTarget(target);
}

void ActionEase::stop() {
  inner_->stop();
  ActionInterval::stop();
}

}  // namespace engine
