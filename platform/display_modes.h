#pragma once
// The window sizes the options offer: the monitor's modes and the usual window sizes that fit the
// desktop and its work area (the screen less its panels), once each.

#include <cstdint>
#include <vector>

#include "platform/settings/video_mode.h"

namespace kel {

// One mode as the monitor reports it.
struct DisplayMode {
  int width = 0;
  int height = 0;
  int refreshRate = 0;
  int redBits = 0;
  int greenBits = 0;
  int blueBits = 0;
};

// The part of the screen a window may take; zero sizes when the system does not say.
struct WorkArea {
  int width = 0;
  int height = 0;
};

// Keeps modes of at most 60 Hz with 8 bits per colour, and the usual window sizes from 960 x 540
// up, that fit inside the current mode and the work area (where it is known), sorted by area, each
// size once.
std::vector<base::VideoMode> selectVideoModes(const std::vector<DisplayMode>& modes,
                                              const DisplayMode& current, const WorkArea& room = {});

// The primary monitor's modes and current mode; empty when no display is open.
struct MonitorModes {
  std::vector<DisplayMode> modes;
  DisplayMode current;
  WorkArea room;
  bool available = false;
};
MonitorModes queryPrimaryMonitor();

}  // namespace kel
