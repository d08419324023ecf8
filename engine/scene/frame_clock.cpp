#include "engine/scene/frame_clock.h"

#include <chrono>
#include <thread>

namespace engine {

int64_t SteadyFrameClock::now() const {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SteadyFrameClock::yield() { std::this_thread::yield(); }

FrameClock* getSteadyFrameClock() {
  // Stateless: one shared instance serves every caller.
  static SteadyFrameClock clock;
  return &clock;
}

}  // namespace engine
