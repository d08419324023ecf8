#include <gtest/gtest.h>

#include "world/time/day_clock.h"

namespace {

DayClock clockAfter(uint32_t ticks) {
  DayClock clock;
  for (uint32_t i = 0; i < ticks; ++i) clock.advance();
  return clock;
}

TEST(DayClock, PhasesFollowEachOtherEvery512Ticks) {
  EXPECT_EQ(clockAfter(511).phase, DayPhase::Day);
  EXPECT_EQ(clockAfter(512).phase, DayPhase::Dusk);
  EXPECT_EQ(clockAfter(1536).phase, DayPhase::Dawn);
  EXPECT_EQ(clockAfter(2048).phase, DayPhase::Day);
}

TEST(DayClock, DarknessRisesThroughDuskAndFallsThroughDawn) {
  const struct {
    DayPhase phase;
    uint32_t tick, darkness;
  } cases[] = {
      {DayPhase::Dusk, 256, 0}, {DayPhase::Dusk, 276, 1}, {DayPhase::Dusk, 511, 12},
      {DayPhase::Dawn, 20, 11}, {DayPhase::Dawn, 300, 0},
  };
  for (const auto& c : cases) {
    DayClock clock;
    clock.phase = c.phase;
    clock.tickCounter = c.tick;
    clock.updateDarkness();
    EXPECT_EQ(clock.darkness, c.darkness) << static_cast<int>(c.phase) << " t " << c.tick;
  }
}

TEST(DayClock, StepReportsTickPhaseAndWhetherTheDarknessChanged) {
  DayClock clock;
  clock.phase = DayPhase::Dusk;
  clock.tickCounter = 512 + 275;
  const DayClockStep step = clock.advance();
  EXPECT_EQ(step.tick, 276);
  EXPECT_TRUE(step.darknessChanged);
  EXPECT_FALSE(clock.advance().darknessChanged);  // t 277 is still darkness 1

  clock.phase = static_cast<DayPhase>(16);  // from a damaged file: a fresh day starts
  clock.tickCounter = 511;
  EXPECT_EQ(clock.advance().phase, DayPhase::Day);
}

TEST(DayClock, SecondsPerTickByPhaseAndExtendedDay) {
  DayClock clock;
  EXPECT_FLOAT_EQ(clock.secondsPerTick(true, true), 1.3f);
  EXPECT_FLOAT_EQ(clock.secondsPerTick(true, false), 0.65f) << "a shared game keeps the short day";
}

}  // namespace
