#pragma once
// The time source of the frame loop: a monotonic clock in nanoseconds and what to do while
// waiting for the next frame. The steady clock serves the game; tests hand the director and the
// application a clock of their own so that pacing and time steps are exact.

#include <cstdint>

namespace engine {

class FrameClock {
 public:
  virtual ~FrameClock() = default;
  // Nanoseconds since an arbitrary, fixed start.
  virtual int64_t now() const = 0;
  // Called between two tests of the clock while the next frame is not due.
  virtual void yield() = 0;
};

// std::chrono::steady_clock, yielding the thread while waiting.
class SteadyFrameClock : public FrameClock {
 public:
  int64_t now() const override;
  void yield() override;
};

// The steady clock that director and application use unless given another.
FrameClock* getSteadyFrameClock();

}  // namespace engine
