#include "tests/app_gl/fixed_step_clock.h"

#include "engine/scene/director.h"
#include "tests/support/frame_clock_probe.h"

namespace apptest {

void stepOnFixedClock() {
  // Outlives every director: each run's is purged at its end, and the next run is given it again.
  static FixedStepClock clock;
  engine::FrameClockProbe::use(*engine::Director::getInstance(), &clock);
}

}  // namespace apptest
