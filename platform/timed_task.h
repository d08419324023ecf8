#pragma once
// The framework's repeating timer: a callback that runs every interval seconds of frame time
// after an optional first delay, counting its runs, driven by one per-frame entry on the
// director's scheduler. Its owner embeds it as a member; it stops itself when destroyed.

#include <cstdint>
#include <functional>
#include <memory>

namespace engine {
class Scheduler;
}

namespace kel {

class TimedTask {
 public:
  using Callback = std::function<void(TimedTask&)>;

  enum class State : uint32_t { Stopped = 0, Waiting = 1, Running = 2 };

  TimedTask() = default;
  ~TimedTask();
  // The scheduler holds the task's address: a copied or moved task would leave it behind.
  TimedTask(const TimedTask&) = delete;
  TimedTask& operator=(const TimedTask&) = delete;

  // First run after delay + interval, then every interval. Refuses (returns false and leaves the
  // task as it was) an interval that is not above 0 or an empty callback: either would never
  // leave the catch-up loop or would throw on the first run. Restarting a started task resets
  // it and keeps its per-frame entry.
  bool start(Callback callback, float interval, float delay);
  // No further runs; count and elapsed keep their values until the next start.
  void stop();

  uint64_t getCount() const { return count_; }
  float getElapsed() const { return elapsed_; }
  float getInterval() const { return interval_; }
  float getDelay() const { return delay_; }
  State getState() const { return state_; }
  bool isStarted() const { return state_ != State::Stopped; }

  // One frame of dt seconds; the scheduler calls it.
  void tick(float dt);

 private:
  // Shared so that a callback which restarts the task with a new callback does not destroy
  // the one still running.
  std::shared_ptr<Callback> callback_;
  uint64_t count_ = 0;
  float elapsed_ = 0.0f;
  float interval_ = 0.0f;
  float delay_ = 0.0f;
  State state_ = State::Stopped;
  engine::Scheduler* scheduler_ = nullptr;  // retained while the entry is registered
};

}  // namespace kel
