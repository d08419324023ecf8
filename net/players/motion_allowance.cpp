#include "net/players/motion_allowance.h"

#include <algorithm>
#include <cmath>

void MotionAllowance::elapse(float ticks, engine::Vec2 at, float across) {
  if (!(ticks > 0)) return;
  ticks_ = std::min(kMostTicks, ticks_ + ticks);
  staleTicks_ = std::max(0.0f, staleTicks_ - ticks);
  unpacedTicks_ = std::min(kMostTicks, unpacedTicks_ + ticks);
  steps_.push_back({at, ticks, ticks * across});
  windowTicks_ += ticks;
  windowAcross_ += ticks * across;
  while (!steps_.empty() && windowTicks_ - steps_.front().ticks >= kWindowTicks) {
    windowTicks_ -= steps_.front().ticks;
    windowAcross_ -= steps_.front().across;
    steps_.pop_front();
  }
}

float MotionAllowance::ticksFor(engine::Vec2 gap, bool flying) {
  const float across = std::fabs(gap.x) / (flying ? kMostInFlight : kMostOnFoot);
  const float upDown = std::fabs(gap.y) / kMostVertical;
  return std::max(across, upDown);
}

MotionAllowance::Verdict MotionAllowance::judge(const Record& record) {
  const PlayerBody::Pace& pace = record.pace;
  up_ = std::min(kMostTicks * kMostVertical, up_ + unpacedTicks_ * pace.up);
  unpacedTicks_ = 0;
  const float needed = ticksFor(record.gap, record.flying);
  const float up = std::max(0.0f, record.gap.y);
  // Right after the window starts (her entry, a jump the host made) it has earned little: a record
  // may still cover what a link holds back at the body's fastest, as the tick allowance lets it.
  const float mostAcross = std::max(windowAcross_ + kMostTicks * pace.across, kMostTicks * kMostOnFoot);
  const bool paced = std::fabs(record.fromWindowStart.x) <= mostAcross && up <= up_;
  if (record.passable && needed <= ticks_ && paced) {
    ticks_ -= needed;
    up_ -= up;
    return Verdict::Accepted;
  }
  if (staleTicks_ > 0 && ticksFor(record.fromLeftPlace, record.flying) <= kMostTicks) return Verdict::Stale;
  return Verdict::Refused;
}

void MotionAllowance::placedByHost() {
  ticks_ = kMostTicks;
  staleTicks_ = kMostTicks;
  steps_.clear();
  windowTicks_ = 0;
  windowAcross_ = 0;
  up_ = kMostTicks * kMostVertical;
}
