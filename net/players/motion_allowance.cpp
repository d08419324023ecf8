#include "net/players/motion_allowance.h"

#include <algorithm>
#include <cmath>

void MotionAllowance::elapse(float ticks) {
  if (!(ticks > 0)) return;
  ticks_ = std::min(kMostTicks, ticks_ + ticks);
  staleTicks_ = std::max(0.0f, staleTicks_ - ticks);
}

float MotionAllowance::ticksFor(engine::Vec2 gap, bool flying) {
  const float across = std::fabs(gap.x) / (flying ? kMostInFlight : kMostOnFoot);
  const float upDown = std::fabs(gap.y) / kMostVertical;
  return std::max(across, upDown);
}

MotionAllowance::Verdict MotionAllowance::judge(engine::Vec2 gap, engine::Vec2 fromLeftPlace, bool flying,
                                                bool passable) {
  const float needed = ticksFor(gap, flying);
  if (passable && needed <= ticks_) {
    ticks_ -= needed;
    return Verdict::Accepted;
  }
  if (staleTicks_ > 0 && ticksFor(fromLeftPlace, flying) <= kMostTicks) return Verdict::Stale;
  return Verdict::Refused;
}

void MotionAllowance::placedByHost() {
  ticks_ = kMostTicks;
  staleTicks_ = kMostTicks;
}
