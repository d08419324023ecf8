#pragma once
// One timer of the scheduler: a callback that runs after an optional delay and then every
// interval, a fixed number of times or forever. Keyed on the scheduler by (target, key).

#include <cstdint>
#include <functional>

namespace engine {

using SchedulerCallback = std::function<void(float)>;

// The repeat count that means "forever". One below the largest u32 so that the largest u32
// itself is still an (enormous) finite count.
constexpr uint32_t REPEAT_FOREVER = 0xFFFFFFFEu;

class Timer {
 public:
  Timer(SchedulerCallback callback, void* target, float interval, uint32_t repeat, float delay,
        int key);

  // Advances by dt; true once the timer has run all its repeats and should be removed.
  // The first call only starts the timer, so the frame that scheduled it does not count.
  // Inline for the usual timer (forever, no delay): a large scene checks one per node per frame.
  bool update(float dt) {
    if (elapsed_ != -1.0f && runForever_ && !useDelay_) [[likely]] {
      elapsed_ += dt;
      if (elapsed_ >= interval_) {
        fire();
        elapsed_ = 0.0f;
      }
      return false;
    }
    return updateOther(dt);
  }

  void setInterval(float interval) { interval_ = interval; }
  float getInterval() const { return interval_; }
  float getElapsed() const { return elapsed_; }
  uint32_t getTimesExecuted() const { return timesExecuted_; }
  void* getTarget() const { return target_; }
  int getKey() const { return key_; }

 private:
  bool updateOther(float dt);
  void fire();

  float elapsed_ = -1.0f;  // -1 until the first update starts the timer
  bool runForever_;
  bool useDelay_;
  uint32_t timesExecuted_ = 0;
  uint32_t repeat_;  // runs after the first; 0 runs once
  float delay_;
  float interval_;
  void* target_;
  SchedulerCallback callback_;
  int key_;
};

}  // namespace engine
