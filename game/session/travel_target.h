#pragma once
// Where a travel between worlds leads: the destination's world index (its low 16 bits are the
// destination's planet bit) and the cell the traveller arrives at. Plain value.

#include <cstdint>

struct TravelTarget {
  uint32_t worldIndex = 0;
  uint16_t column = 0;
  uint16_t row = 0;

  uint16_t planetBit() const { return static_cast<uint16_t>(worldIndex & 0xFFFFu); }
};
