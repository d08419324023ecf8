#pragma once
// Hands the director and the application a clock of the test's own, so that frame pacing and
// time steps are exact; null gives the steady clock back.

#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "engine/scene/frame_clock.h"

namespace engine {

struct FrameClockProbe {
  static void use(Director& director, FrameClock* clock) {
    director.clock_ = clock != nullptr ? clock : getSteadyFrameClock();
  }
  static void use(Application& application, FrameClock* clock) {
    application.clock_ = clock != nullptr ? clock : getSteadyFrameClock();
  }
};

}  // namespace engine
