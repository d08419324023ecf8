#include "engine/scene/frame_clock.h"

#include <chrono>
#include <thread>

namespace engine {

int64_t SteadyFrameClock::now() const {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SteadyFrameClock::waitUntil(int64_t deadline) {
  const std::chrono::steady_clock::time_point due{std::chrono::nanoseconds(deadline)};
  std::this_thread::sleep_until(due);
}

FrameClock* getSteadyFrameClock() {
  // Stateless: one shared instance serves every caller.
  static SteadyFrameClock clock;
  return &clock;
}

}  // namespace engine
