#pragma once
// The time source of the frame loop: a monotonic clock in nanoseconds and a way to wait for the
// next frame. The steady clock serves the game; tests hand the director and the
// application a clock of their own so that pacing and time steps are exact.

#include <cstdint>

namespace engine {

class FrameClock {
 public:
  virtual ~FrameClock() = default;
  // Nanoseconds since an arbitrary, fixed start.
  virtual int64_t now() const = 0;
  // Called while the next frame is not due: returns at or after `deadline` (on this clock), or
  // earlier if woken; the caller tests the clock again either way.
  virtual void waitUntil(int64_t deadline) = 0;
};

// std::chrono::steady_clock, sleeping while waiting so an idle game leaves the processor alone.
class SteadyFrameClock : public FrameClock {
 public:
  int64_t now() const override;
  void waitUntil(int64_t deadline) override;
};

// The steady clock that director and application use unless given another.
FrameClock* getSteadyFrameClock();

}  // namespace engine
