#include "engine/scene/timer.h"

#include <utility>

namespace engine {

Timer::Timer(SchedulerCallback callback, void* target, float interval, uint32_t repeat,
             float delay, int key)
    : runForever_(repeat == REPEAT_FOREVER),
      useDelay_(delay > 0.0f),
      repeat_(repeat),
      delay_(delay),
      interval_(interval),
      target_(target),
      callback_(std::move(callback)),
      key_(key) {}

void Timer::fire() {
  // An empty callback still counts its runs and finishes as usual.
  if (callback_) callback_(elapsed_);
}

bool Timer::updateOther(float dt) {
  if (elapsed_ == -1.0f) {
    elapsed_ = 0.0f;
    timesExecuted_ = 0;
    return false;
  }

  // A timer that runs forever without a delay took the inline path.
  elapsed_ += dt;
  if (useDelay_) {
    if (elapsed_ >= delay_) {
      fire();
      // The time past the delay counts towards the first interval.
      elapsed_ -= delay_;
      useDelay_ = false;
      ++timesExecuted_;
    }
  } else if (elapsed_ >= interval_) {
    // No catch-up: the callback receives the whole accumulated time and counting restarts.
    fire();
    elapsed_ = 0.0f;
    ++timesExecuted_;
  }

  if (runForever_) return false;
  return timesExecuted_ > repeat_;
}

}  // namespace engine
