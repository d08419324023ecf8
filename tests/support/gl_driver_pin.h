#pragma once
// Keeps the GL driver loaded until the test process ends: the engine's own pin
// (engine/window/gl_driver_pin.h), for tests that make a GL context without a game window.

#include "engine/window/gl_driver_pin.h"

namespace testsupport {

inline void keepGLDriverLoaded() { engine::keepGLDriverLoaded(); }

}  // namespace testsupport
