#include "platform/controls/hold_timer.h"

#include <utility>

namespace kel {

bool HoldTimer::hold(int32_t input, Action action, float interval, float delay) {
  if (input < 0 || !action) return false;
  auto repeat = [run = std::move(action)](TimedTask&) { run(); };
  if (!task_.start(std::move(repeat), interval, delay)) return false;
  held_ = input;
  return true;
}

bool HoldTimer::release(int32_t input) {
  if (input != held_ || held_ == NOTHING_HELD) return false;
  stop();
  return true;
}

void HoldTimer::stop() {
  task_.stop();
  held_ = NOTHING_HELD;
}

}  // namespace kel
