#include "ui/views/block_mining.h"

#include <algorithm>

float BlockMining::secondsFor(float power) { return power > 0 ? kSecondsAtPowerOne / power : -1.0f; }

void BlockMining::start(int32_t x, int32_t y, float duration, float strikeEvery) {
  active_ = true;
  x_ = x;
  y_ = y;
  duration_ = duration;
  elapsed_ = 0;
  strikeEvery_ = std::max(strikeEvery, 0.05f);
  untilStrike_ = 0;
}

void BlockMining::cancel() {
  active_ = false;
  elapsed_ = 0;
}

BlockMining::Step BlockMining::advance(float dt) {
  Step step;
  if (!active_ || !breakable()) return step;
  untilStrike_ -= dt;
  if (untilStrike_ <= 0) {
    step.strike = true;
    untilStrike_ += strikeEvery_;
    if (untilStrike_ <= 0) untilStrike_ = strikeEvery_;
  }
  elapsed_ += dt;
  if (elapsed_ >= duration_) {
    step.broken = true;
    active_ = false;
  }
  return step;
}

float BlockMining::progress() const {
  if (!active_ || !breakable()) return 0;
  return std::clamp(elapsed_ / duration_, 0.0f, 1.0f);
}
