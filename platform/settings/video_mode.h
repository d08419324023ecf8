#pragma once
// A window size in pixels, as the options keep it and the window is opened with.

#include <cstdint>

namespace kel::base {

struct VideoMode {
  uint16_t width = 0;
  uint16_t height = 0;

  friend bool operator==(const VideoMode&, const VideoMode&) = default;
};

}  // namespace kel::base
