#pragma once
// The layout the interface starts from for a window size: on the desktop only the default
// interface scale depends on the size (on the window height); the other values are constants.

#include <cstdint>

namespace kel {

struct LayoutValues {
  float defaultUiScale = 2.0005f;
  uint16_t firstFlag = 1;
  uint8_t secondFlag = 0;
  uint32_t layoutNumber = 10;
  float layoutScale = 1.0f;
};

LayoutValues layoutValuesFor(float width, float height);

}  // namespace kel
