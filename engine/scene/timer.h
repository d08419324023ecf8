#pragma once
// One timer of the scheduler: a callback that runs after an optional delay and then every
// interval, a fixed number of times or forever. Keyed on the scheduler by (target, key). The
// scheduler holds a timer's clock, the rest of it and its callback in three arrays, so that its
// pass walks the clocks of every timer in one array and reaches the rest only when one is due.

#include <cstdint>
#include <functional>

namespace engine {

using SchedulerCallback = std::function<void(float)>;

// The repeat count that means "forever". One below the largest u32 so that the largest u32
// itself is still an (enormous) finite count.
constexpr uint32_t REPEAT_FOREVER = 0xFFFFFFFEu;

// What a frame reads of a timer to tell whether it is due: the scheduler keeps every timer's
// clock in one array of its own, apart from the rest of the timer, so that its pass over a large
// scene reads a few bytes per timer.
struct TimerClock {
  TimerClock(float every, uint32_t repeat, float delay)
      : interval(every), runForever(repeat == REPEAT_FOREVER), useDelay(delay > 0.0f) {}

  // Whether the timer only counts time and restarts it on firing: started, running forever, past
  // any delay. One byte, kept by settle(), so that the pass over a large scene, where most timers
  // are quiet, tells so with one test.
  void settle() { quiet = elapsed != -1.0f && runForever && !useDelay; }

  // For a quiet clock: counts dt unless that makes the timer due, and tells whether it counted.
  bool countUnlessDue(float dt) {
    const float next = elapsed + dt;
    if (!(next < interval)) return false;
    elapsed = next;
    return true;
  }
  // For a quiet clock that dt makes due: restarts it, giving the time it had counted with dt
  // (what its callback is handed).
  float fire(float dt) {
    const float fired = elapsed + dt;
    elapsed = 0.0f;
    return fired;
  }

  float elapsed = -1.0f;  // -1 until the first update starts the timer
  float interval;
  bool runForever;
  bool useDelay;  // until the delay has passed
  bool quiet = false;
};

// The rest of a timer: its key, its count of runs and its delay, stepped with its clock.
class Timer {
 public:
  // What one advance asks of the scheduler: to run the callback with `elapsed`, and to remove
  // the timer (after the callback) once it has run all its repeats.
  struct Step {
    bool fires = false;
    bool finished = false;
    float elapsed = 0.0f;
  };

  Timer(uint32_t repeat, float delay, int key) : repeat_(repeat), delay_(delay), key_(key) {}

  // Advances the timer, whose clock is `clock`, by dt. The first call only starts the timer, so
  // the frame that scheduled it does not count. The timer's own state is already moved on when
  // the callback runs, so a callback that schedules more timers (which may move this one) leaves
  // nothing for the timer to do after it. Inline for a quiet clock: a large scene checks one per
  // node per frame.
  Step advance(TimerClock& clock, float dt) {
    if (clock.quiet) [[likely]] {
      if (clock.countUnlessDue(dt)) return {};
      return {true, false, clock.fire(dt)};
    }
    return advanceOther(clock, dt);
  }

  uint32_t getTimesExecuted() const { return timesExecuted_; }
  // Whether it runs once (and, unless it repeats forever, then ends).
  bool runsOnce() const { return repeat_ == 0; }
  int getKey() const { return key_; }

 private:
  Step advanceOther(TimerClock& clock, float dt);

  uint32_t timesExecuted_ = 0;
  uint32_t repeat_;  // runs after the first; 0 runs once
  float delay_;
  int key_;
};

}  // namespace engine
