#include "engine/layer/progress_from_to.h"

#include "engine/layer/progress_timer.h"

namespace engine {

ProgressFromTo* ProgressFromTo::create(float duration, float fromPercentage,
                                       float toPercentage) {
  auto* action = new ProgressFromTo();
  action->initWithDuration(duration);
  action->from_ = fromPercentage;
  action->to_ = toPercentage;
  action->autorelease();
  return action;
}

ProgressFromTo* ProgressFromTo::clone() const { return create(duration_, from_, to_); }

ProgressFromTo* ProgressFromTo::reverse() const { return create(duration_, to_, from_); }

void ProgressFromTo::update(float t) {
  if (auto* timer = dynamic_cast<ProgressTimer*>(target_); timer != nullptr) {
    timer->setPercentage(from_ + (to_ - from_) * t);
  }
}

}  // namespace engine
