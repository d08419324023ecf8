#pragma once
// One timer of the scheduler: a callback that runs after an optional delay and then every
// interval, a fixed number of times or forever. Keyed on the scheduler by (target, key). The
// timer keeps only its clock; the scheduler holds the callbacks apart, so that its pass walks the
// clocks of every timer in one array and reaches a callback only when it is due.

#include <cstdint>
#include <functional>

namespace engine {

using SchedulerCallback = std::function<void(float)>;

// The repeat count that means "forever". One below the largest u32 so that the largest u32
// itself is still an (enormous) finite count.
constexpr uint32_t REPEAT_FOREVER = 0xFFFFFFFEu;

class Timer {
 public:
  // What one advance asks of the scheduler: to run the callback with `elapsed`, and to remove
  // the timer (after the callback) once it has run all its repeats.
  struct Step {
    bool fires = false;
    bool finished = false;
    float elapsed = 0.0f;
  };

  Timer(float interval, uint32_t repeat, float delay, int key);

  // Advances by dt. The first call only starts the timer, so the frame that scheduled it does not
  // count. The timer's own state is already moved on when the callback runs, so a callback that
  // schedules more timers (which may move this one) leaves nothing for the timer to do after it.
  // Inline for the usual timer (forever, no delay): a large scene checks one per node per frame.
  Step advance(float dt) {
    if (elapsed_ != -1.0f && runForever_ && !useDelay_) [[likely]] {
      elapsed_ += dt;
      if (elapsed_ < interval_) return {};
      const float fired = elapsed_;
      elapsed_ = 0.0f;
      return {true, false, fired};
    }
    return advanceOther(dt);
  }

  // Advances by dt a started timer that runs forever without a delay and is not due yet, and
  // gives true; gives false, changing nothing, for any other (which advance then takes). The
  // scheduler's pass takes most timers of a large scene this way without walking them.
  bool advanceIfQuiet(float dt) {
    if (elapsed_ == -1.0f || !runForever_ || useDelay_) return false;
    const float next = elapsed_ + dt;
    if (next >= interval_) return false;
    elapsed_ = next;
    return true;
  }

  void setInterval(float interval) { interval_ = interval; }
  float getInterval() const { return interval_; }
  float getElapsed() const { return elapsed_; }
  uint32_t getTimesExecuted() const { return timesExecuted_; }
  int getKey() const { return key_; }

 private:
  Step advanceOther(float dt);

  float elapsed_ = -1.0f;  // -1 until the first update starts the timer
  bool runForever_;
  bool useDelay_;
  uint32_t timesExecuted_ = 0;
  uint32_t repeat_;  // runs after the first; 0 runs once
  float delay_;
  float interval_;
  int key_;
};

}  // namespace engine
