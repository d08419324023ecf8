#pragma once
// The screen as the interface lays itself out on it: the sides of the window in points, the
// interface scale and the layout values the platform chose, plus whether the application sits in
// the background. Applying a video mode fills it; the world view and the interface read it.

#include <cstdint>

struct ScreenLayout {
  // Set while the application is in the background.
  bool background = false;
  // The window's longer and shorter side in points, times the layout scale.
  float longSide = 0.0f;
  float shortSide = 0.0f;
  // The scale the interface draws at.
  float uiScale = 0.0f;
  uint16_t firstFlag = 0;
  uint8_t secondFlag = 0;
  uint32_t layoutNumber = 0;
};

// The process's screen layout; all zero until a video mode is applied.
ScreenLayout& screenLayout();
