#pragma once
// The world's day clock: day, dusk, night and dawn of 512 ticks each, and the darkness (0-12) that
// the phase and the tick within it give, which lowers the sky light of every cell
// (`MapBlock::lightLevel`). The game runs `advance` as a timed task every `secondsPerTick` while the
// running flag is set; the world file keeps phase, tick counter and running flag. Main thread only.

#include <cstdint>

// Bit values, in the order the clock passes through them: 1 -> 2 -> 4 -> 8 -> 1.
enum class DayPhase : uint32_t { Day = 1, Dusk = 2, Night = 4, Dawn = 8 };

// What one clock step did.
struct DayClockStep {
  uint16_t tick = 0;  // tick within the phase after the step
  DayPhase phase = DayPhase::Day;
  bool darknessChanged = false;
};

class DayClock {
 public:
  static constexpr uint32_t kTicksPerPhase = 512;
  static constexpr uint32_t kMaxDarkness = 12;

  DayPhase phase = DayPhase::Day;
  uint32_t tickCounter = 0;
  uint32_t running = 1;  // a byte's worth: the world file keeps it
  uint32_t darkness = 0;

  uint32_t tickInPhase() const { return tickCounter % kTicksPerPhase; }
  // One tick: the phase moves on whenever the tick within the phase comes back to 0.
  DayClockStep advance();
  // Darkness from phase and tick within the phase; true when it changed.
  bool updateDarkness();
  // Interval of the clock task. The day is twice as long with the player option "Extended Day"
  // in a single-player game; both facts belong to the game above and come in from it.
  float secondsPerTick(bool extendedDayOption, bool singlePlayerGame) const;
};

// Darkness of a phase at a tick within it (0-511).
uint32_t darknessAt(DayPhase phase, uint32_t tickInPhase);
