#pragma once
// The process's screen layout back to all zero, as before any video mode was applied.

#include "platform/screen_layout.h"
#include "tests/support/screen_layout_reset.h"

inline void resetScreenLayout() { screenLayout() = ScreenLayout{}; }
