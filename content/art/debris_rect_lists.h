#pragma once
// The particle rectangle lists: each a count and up to three rectangles (x, y, width, height) in
// the particle atlas (debris.png). A preset names a list; a particle draws one of its rectangles.
// The art maker draws each list's particles at these places, so the table is written here once.

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

// Firework sparks sit in rows from the first rectangle of their list: colour c (1-based) in column
// (c - 1) mod 9, 14 px apart, row (c - 1) div 9, 8 px apart; the large spark (7x7) first, the small
// one (5x5) 8 px to its right.
constexpr uint16_t kFireworkSparkList = 23;
constexpr int kFireworkColourCount = 16;
DebrisRect fireworkSparkRect(uint8_t colour, bool small);

// The particle atlas: every rectangle above lies in its top 256 x 128 pixels. The projectiles'
// batch draws from the same atlas, so their pictures lie below that, at the rectangles of the
// bullet table.
constexpr int kDebrisParticleAreaWidth = 256;
constexpr int kDebrisParticleAreaHeight = 128;
constexpr int kDebrisAtlasWidth = 512;
constexpr int kDebrisAtlasHeight = 512;
