#include "world/time/day_clock.h"

namespace {

// A phase read from a damaged file starts a fresh day instead of doubling out of the cycle.
DayPhase nextPhase(DayPhase phase) {
  switch (phase) {
    case DayPhase::Day: return DayPhase::Dusk;
    case DayPhase::Dusk: return DayPhase::Night;
    case DayPhase::Night: return DayPhase::Dawn;
    case DayPhase::Dawn: return DayPhase::Day;
  }
  return DayPhase::Day;
}

}  // namespace

uint32_t darknessAt(DayPhase phase, uint32_t t) {
  switch (phase) {
    case DayPhase::Day: return 0;
    case DayPhase::Dusk: return t < 256 ? 0 : ((t - 256) / 2) / 10;
    case DayPhase::Night: return DayClock::kMaxDarkness;
    case DayPhase::Dawn: return t <= 256 ? DayClock::kMaxDarkness - (t / 2) / 10 : 0;
  }
  return 0;
}

DayClockStep DayClock::advance() {
  ++tickCounter;
  const uint32_t t = tickInPhase();
  // The counter only reads 0 after an increment when it wrapped, which also ends a phase.
  if (t == 0) phase = nextPhase(phase);
  const bool changed = updateDarkness();
  return {static_cast<uint16_t>(t), phase, changed};
}

bool DayClock::updateDarkness() {
  const uint32_t now = darknessAt(phase, tickInPhase());
  const bool changed = now != darkness;
  darkness = now;
  return changed;
}

float DayClock::secondsPerTick(bool extendedDayOption, bool singlePlayerGame) const {
  switch (phase) {
    case DayPhase::Dusk:
    case DayPhase::Dawn: return 0.15f;
    case DayPhase::Day: return extendedDayOption && singlePlayerGame ? 1.3f : 0.65f;
    case DayPhase::Night: break;
  }
  return 0.65f;
}
