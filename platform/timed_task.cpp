#include "platform/timed_task.h"

#include <cmath>
#include <utility>

#include "engine/base/log.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"

namespace kel {

TimedTask::~TimedTask() { stop(); }

bool TimedTask::start(Callback callback, float interval, float delay) {
  if (!(interval > 0.0f) || !std::isfinite(interval)) {
    engine::log("timed task refused: interval %g is not a positive number of seconds",
                static_cast<double>(interval));
    return false;
  }
  if (!callback) {
    engine::log("timed task refused: no callback");
    return false;
  }
  callback_ = std::make_shared<Callback>(std::move(callback));
  elapsed_ = 0.0f;
  interval_ = interval;
  delay_ = delay;
  count_ = 0;
  state_ = delay > 0.0f ? State::Waiting : State::Running;

  engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
  if (scheduler_ != scheduler) {
    // A task left from before a director purge belongs to a scheduler that no longer runs.
    if (scheduler_ != nullptr) {
      scheduler_->unscheduleUpdate(this);
      scheduler_->release();
    }
    scheduler->retain();
    scheduler_ = scheduler;
  }
  scheduler_->schedulePerFrame([this](float dt) { tick(dt); }, this, false);
  return true;
}

void TimedTask::stop() {
  if (scheduler_ != nullptr) {
    scheduler_->unscheduleUpdate(this);
    scheduler_->release();
    scheduler_ = nullptr;
  }
  state_ = State::Stopped;
}

void TimedTask::tick(float dt) {
  if (state_ == State::Stopped) return;
  if (state_ == State::Waiting) {
    elapsed_ += dt;
    if (elapsed_ < delay_) return;
    elapsed_ -= delay_;
    state_ = State::Running;
    dt = 0.0f;
  }
  elapsed_ += dt;
  // One run per whole interval that passed. A callback that stops the task ends the runs of
  // this frame too; one that restarts it starts counting afresh.
  while (state_ == State::Running && elapsed_ >= interval_) {
    ++count_;
    elapsed_ -= interval_;
    std::shared_ptr<Callback> running = callback_;
    (*running)(*this);
  }
}

}  // namespace kel
