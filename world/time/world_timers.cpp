#include "world/time/world_timers.h"

#include <utility>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/timer.h"
#include "world/world_context.h"

WorldTimers::WorldTimers(const WorldContext& context) : context_(context) {}

WorldTimers::~WorldTimers() {
  unscheduleAll();
  if (held_ != nullptr) held_->release();
}

// A scheduler named after timers started elsewhere takes over once those are gone.
engine::Scheduler& WorldTimers::scheduler() {
  engine::Scheduler* wanted =
      context_.scheduler != nullptr ? context_.scheduler : engine::Director::getInstance()->getScheduler();
  if (held_ != wanted && (held_ == nullptr || held_->getTimerCount(this) == 0)) {
    wanted->retain();
    if (held_ != nullptr) held_->release();
    held_ = wanted;
  }
  return *held_;
}

void WorldTimers::schedule(int key, float interval, std::function<void(float)> callback) {
  scheduler().schedule(std::move(callback), this, interval, engine::REPEAT_FOREVER, 0.0f, key);
}

void WorldTimers::scheduleOnce(int key, float delay, std::function<void(float)> callback) {
  scheduler().schedule(std::move(callback), this, 0.0f, 0, delay, key);
}

void WorldTimers::unschedule(int key) {
  if (held_ != nullptr) held_->unschedule(key, this);
}

bool WorldTimers::isScheduled(int key) const {
  return held_ != nullptr && held_->isScheduled(key, const_cast<WorldTimers*>(this));
}

void WorldTimers::unscheduleAll() {
  if (held_ != nullptr) held_->unscheduleAllForTarget(this);
}
