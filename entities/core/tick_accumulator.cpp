#include "entities/core/tick_accumulator.h"

#include <cmath>

uint32_t TickAccumulator::addFrame(float seconds) {
  if (!std::isfinite(seconds) || seconds <= 0) return 0;
  const double capped = std::fmin(static_cast<double>(seconds), kMaxTicksPerFrame * kTickNanoseconds / 1e9);
  pending_ += std::llround(capped * 1e9);
  const int64_t ticks = pending_ / kTickNanoseconds;
  pending_ -= ticks * kTickNanoseconds;
  return static_cast<uint32_t>(ticks);
}
