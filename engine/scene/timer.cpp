#include "engine/scene/timer.h"

namespace engine {

Timer::Step Timer::advanceOther(TimerClock& clock, float dt) {
  if (clock.elapsed == -1.0f) {
    clock.elapsed = 0.0f;
    clock.settle();
    timesExecuted_ = 0;
    return {};
  }

  // A quiet clock took the inline path.
  clock.elapsed += dt;
  Step step;
  if (clock.useDelay) {
    if (clock.elapsed >= delay_) {
      step.fires = true;
      step.elapsed = clock.elapsed;
      // The time past the delay counts towards the first interval.
      clock.elapsed -= delay_;
      clock.useDelay = false;
      clock.settle();
      ++timesExecuted_;
    }
  } else if (clock.elapsed >= clock.interval) {
    // No catch-up: the callback receives the whole accumulated time and counting restarts.
    step.fires = true;
    step.elapsed = clock.elapsed;
    clock.elapsed = 0.0f;
    ++timesExecuted_;
  }
  step.finished = !clock.runForever && timesExecuted_ > repeat_;
  return step;
}

}  // namespace engine
