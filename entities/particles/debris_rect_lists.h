#pragma once
// The particle rectangle lists: each a count and up to three rectangles (x, y, width, height) in
// the particle atlas. A preset names a list; a particle draws one of its rectangles.

#include <array>
#include <cstdint>

struct DebrisRect {
  uint16_t x = 0;
  uint16_t y = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  bool operator==(const DebrisRect&) const = default;
};

struct DebrisRectList {
  uint8_t count = 0;
  std::array<DebrisRect, 3> rects{};
};

constexpr uint16_t kDebrisRectListCount = 37;

// List `index` (0..36); list 0 for an index past the end.
const DebrisRectList& debrisRectList(uint16_t index);
