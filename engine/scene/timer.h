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

  // Advances by dt a started timer that runs forever without a delay and is not due yet, and
  // gives true; gives false, changing nothing, for any other (which Timer::advance then takes).
  // The scheduler's pass takes most timers of a large scene this way without walking them.
  bool advanceIfQuiet(float dt) {
    if (elapsed == -1.0f || !runForever || useDelay) return false;
    const float next = elapsed + dt;
    if (next >= interval) return false;
    elapsed = next;
    return true;
  }

  float elapsed = -1.0f;  // -1 until the first update starts the timer
  float interval;
  bool runForever;
  bool useDelay;  // until the delay has passed
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
  // nothing for the timer to do after it. Inline for the usual timer (forever, no delay): a large
  // scene checks one per node per frame.
  Step advance(TimerClock& clock, float dt) {
    if (clock.elapsed != -1.0f && clock.runForever && !clock.useDelay) [[likely]] {
      clock.elapsed += dt;
      if (clock.elapsed < clock.interval) return {};
      const float fired = clock.elapsed;
      clock.elapsed = 0.0f;
      return {true, false, fired};
    }
    return advanceOther(clock, dt);
  }

  uint32_t getTimesExecuted() const { return timesExecuted_; }
  int getKey() const { return key_; }

 private:
  Step advanceOther(TimerClock& clock, float dt);

  uint32_t timesExecuted_ = 0;
  uint32_t repeat_;  // runs after the first; 0 runs once
  float delay_;
  int key_;
};

}  // namespace engine
