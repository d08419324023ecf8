// The map's fog: only its own tones, all of them over a frame's worth, the same fog for the same
// size, and blots rather than a flat fill.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "ui/views/map_fog.h"

namespace {

int toneOf(const std::vector<uint8_t>& pixels, size_t i) {
  for (int tone = 0; tone < 4; ++tone) {
    if (std::memcmp(&pixels[i], kMapFogTones[tone], 4) == 0) return tone;
  }
  return -1;
}

TEST(MapFog, IsBlotsOfItsOwnTonesAndTheSameForTheSameSize) {
  const std::vector<uint8_t> fog = mapFogPicture(300, 120);
  ASSERT_EQ(fog.size(), 300u * 120u * 4u);
  std::array<int, 4> seen{};
  int changes = 0;
  for (size_t i = 0; i < fog.size(); i += 4) {
    const int tone = toneOf(fog, i);
    ASSERT_GE(tone, 0) << "texel " << i / 4 << " is not a fog tone";
    ++seen[static_cast<size_t>(tone)];
    if (i >= 4 && (i / 4) % 300 != 0) changes += tone != toneOf(fog, i - 4);
  }
  for (int count : seen) EXPECT_GT(count, 300 * 120 / 50) << "every tone shows";
  // Blots: most neighbours share a tone, yet the fog is far from one flat colour.
  EXPECT_GT(changes, 300 * 120 / 50);
  EXPECT_LT(changes, 300 * 120 / 3);
  EXPECT_EQ(mapFogPicture(300, 120), fog);
  EXPECT_TRUE(mapFogPicture(0, 10).empty());
}

}  // namespace
