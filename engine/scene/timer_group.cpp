#include "engine/scene/timer_group.h"

#include <utility>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/timer.h"

namespace engine {

TimerGroup::TimerGroup(SchedulerSource source) : source_(std::move(source)) {}

TimerGroup::~TimerGroup() {
  unscheduleAll();
  if (held_ != nullptr) held_->release();
}

// A scheduler named after timers started elsewhere takes over once those are gone.
Scheduler& TimerGroup::scheduler() {
  Scheduler* wanted = source_ ? source_() : nullptr;
  if (wanted == nullptr) wanted = Director::getInstance()->getScheduler();
  if (held_ != wanted && (held_ == nullptr || held_->getTimerCount(this) == 0)) {
    wanted->retain();
    if (held_ != nullptr) held_->release();
    held_ = wanted;
  }
  return *held_;
}

void TimerGroup::schedule(int key, float interval, std::function<void(float)> callback) {
  scheduler().schedule(std::move(callback), this, interval, REPEAT_FOREVER, 0.0f, key);
}

void TimerGroup::scheduleOnce(int key, float delay, std::function<void(float)> callback) {
  scheduler().schedule(std::move(callback), this, 0.0f, 0, delay, key);
}

void TimerGroup::unschedule(int key) {
  if (held_ != nullptr) held_->unschedule(key, this);
}

bool TimerGroup::isScheduled(int key) const {
  return held_ != nullptr && held_->isScheduled(key, const_cast<TimerGroup*>(this));
}

void TimerGroup::unscheduleAll() {
  if (held_ != nullptr) held_->unscheduleAllForTarget(this);
}

}  // namespace engine
