#include "engine/scene/timer.h"

namespace engine {

Timer::Timer(float interval, uint32_t repeat, float delay, int key)
    : runForever_(repeat == REPEAT_FOREVER),
      useDelay_(delay > 0.0f),
      repeat_(repeat),
      delay_(delay),
      interval_(interval),
      key_(key) {}

Timer::Step Timer::advanceOther(float dt) {
  if (elapsed_ == -1.0f) {
    elapsed_ = 0.0f;
    timesExecuted_ = 0;
    return {};
  }

  // A timer that runs forever without a delay took the inline path.
  elapsed_ += dt;
  Step step;
  if (useDelay_) {
    if (elapsed_ >= delay_) {
      step.fires = true;
      step.elapsed = elapsed_;
      // The time past the delay counts towards the first interval.
      elapsed_ -= delay_;
      useDelay_ = false;
      ++timesExecuted_;
    }
  } else if (elapsed_ >= interval_) {
    // No catch-up: the callback receives the whole accumulated time and counting restarts.
    step.fires = true;
    step.elapsed = elapsed_;
    elapsed_ = 0.0f;
    ++timesExecuted_;
  }
  step.finished = !runForever_ && timesExecuted_ > repeat_;
  return step;
}

}  // namespace engine
