// The drawing primitives: what they touch, what they leave alone, and the colour rules the art
// relies on (ramps darken toward blue and lighten toward yellow).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/art_maker/art_random.h"
#include "tools/art_maker/canvas.h"
#include "tools/art_maker/palette.h"

namespace artmaker {
namespace {

constexpr Colour kRed = rgba(200, 40, 40);
constexpr Colour kBlue = rgba(40, 40, 200);

int countOf(const Canvas& c, Colour colour) {
  return int(std::count(c.pixels().begin(), c.pixels().end(), colour));
}

TEST(Canvas, ClipsOrWrapsWhatFallsOutside) {
  Canvas clipped(4, 4);
  clipped.fillRect({2, 2, 5, 5}, kRed);
  EXPECT_EQ(countOf(clipped, kRed), 4);

  Canvas wrapped(4, 4);
  wrapped.setWrapping(true);
  wrapped.set(-1, 5, kRed);  // comes back at the right edge, second row
  EXPECT_EQ(wrapped.at(3, 1), kRed);
  wrapped.line(2, 0, 5, 0, kBlue);  // runs off the right edge onto the left
  EXPECT_EQ(wrapped.at(0, 0), kBlue);
  EXPECT_EQ(wrapped.at(1, 0), kBlue);
}

TEST(Canvas, ShadedBoxIsLitFromTheTopLeft) {
  Canvas c(6, 5);
  c.shadedBox({1, 1, 4, 3}, kRed, rgba(255, 255, 255), rgba(0, 0, 0));
  EXPECT_EQ(c.at(1, 1), rgba(255, 255, 255));  // top-left corner: light
  EXPECT_EQ(c.at(4, 2), rgba(0, 0, 0));        // right edge: shadow
  EXPECT_EQ(c.at(1, 2), rgba(255, 255, 255));  // left edge: light
  EXPECT_EQ(c.at(3, 3), rgba(0, 0, 0));        // bottom edge: shadow
  EXPECT_EQ(c.at(4, 3), rgba(0, 0, 0));        // bottom-right corner: shadow
  EXPECT_EQ(c.at(2, 2), kRed);
  EXPECT_EQ(c.at(0, 0), kClear);
}

TEST(Canvas, DitherMixesInProportion) {
  struct Case { float fraction; int expectedB; };
  for (const Case& k : {Case{0.0f, 0}, Case{0.25f, 16}, Case{0.5f, 32}, Case{1.0f, 64}}) {
    Canvas c(8, 8);
    c.dither({0, 0, 8, 8}, kRed, kBlue, k.fraction);
    EXPECT_EQ(countOf(c, kBlue), k.expectedB) << k.fraction;
    EXPECT_EQ(countOf(c, kRed), 64 - k.expectedB) << k.fraction;
  }
}

TEST(Canvas, OutlineSurroundsTheShapeOnly) {
  Canvas c(5, 5);
  c.set(2, 2, kRed);
  c.outline(kBlue);
  EXPECT_EQ(countOf(c, kBlue), 4);
  EXPECT_EQ(c.at(2, 1), kBlue);
  EXPECT_EQ(c.at(1, 1), kClear);  // diagonal neighbours stay clear
  EXPECT_EQ(c.at(2, 2), kRed);
}

TEST(Canvas, SpecklesStayInTheirAreaAndFollowTheSeed) {
  auto draw = [](uint32_t seed) {
    Canvas c(20, 20);
    ArtRandom random(seed);
    c.speckles({5, 5, 6, 6}, {8, 2, 5, kRed, kBlue, kClear}, random);
    return c;
  };
  const Canvas a = draw(7), b = draw(7), other = draw(8);
  EXPECT_EQ(a.pixels(), b.pixels());
  EXPECT_NE(a.pixels(), other.pixels());
  EXPECT_FALSE(a.anyOpaque({0, 0, 20, 5}));
  EXPECT_FALSE(a.anyOpaque({0, 11, 20, 9}));
  EXPECT_FALSE(a.anyOpaque({0, 0, 5, 20}));
  EXPECT_FALSE(a.anyOpaque({11, 0, 9, 20}));
  EXPECT_GT(countOf(a, kRed) + countOf(a, kBlue), 8);
}

TEST(Canvas, BlitOverBlendsAndScaleRepeatsPixels) {
  Canvas under(2, 1, kRed), over(2, 1);
  over.set(0, 0, withAlpha(kBlue, 128));
  under.blit(over, 0, 0, true);
  EXPECT_GT(blue(under.at(0, 0)), 100);
  EXPECT_GT(red(under.at(0, 0)), 100);
  EXPECT_EQ(under.at(1, 0), kRed);  // a clear source pixel leaves the canvas as it was
  const Canvas big = under.scaled(3);
  EXPECT_EQ(big.width(), 6);
  EXPECT_EQ(big.at(2, 2), under.at(0, 0));
  EXPECT_EQ(big.at(3, 0), kRed);
}

float luminance(Colour c) { return 0.2126f * red(c) + 0.7152f * green(c) + 0.0722f * blue(c); }

// Hue in degrees (0 red, 60 yellow, 240 blue).
float hue(Colour c) {
  const float r = float(red(c)), g = float(green(c)), b = float(blue(c));
  const float hi = std::max({r, g, b}), d = hi - std::min({r, g, b});
  if (d == 0.0f) return 0.0f;
  float h = hi == r ? 60.0f * std::fmod((g - b) / d, 6.0f) : hi == g ? 60.0f * ((b - r) / d + 2.0f) : 60.0f * ((r - g) / d + 4.0f);
  return h < 0.0f ? h + 360.0f : h;
}
float hueDistance(float a, float b) { return std::fabs(std::fmod(a - b + 540.0f, 360.0f) - 180.0f); }

TEST(Ramp, EveryFamilyRunsDarkToLightWithCoolShadowsAndWarmLights) {
  for (int i = 0; i < kFamilyCount; ++i) {
    const Family family = Family(i);
    const Ramp ramp = familyRamp(family);
    for (int k = 1; k < 5; ++k) EXPECT_LT(luminance(ramp[k - 1]), luminance(ramp[k])) << familyName(family) << k;
    // The shadow's hue lies nearer blue than the base's, the light's nearer yellow (or is white).
    EXPECT_LE(hueDistance(hue(ramp.darkest()), 240.0f), hueDistance(hue(ramp.base()), 240.0f) + 1.0f) << familyName(family);
    if (ramp.lightest() != rgba(255, 255, 255)) {
      EXPECT_LE(hueDistance(hue(ramp.lightest()), 55.0f), hueDistance(hue(ramp.base()), 55.0f) + 1.0f) << familyName(family);
    }
    EXPECT_EQ(familyFromName(familyName(family)), family);
  }
  EXPECT_FALSE(familyFromName("plastic").has_value());
}

}  // namespace
}  // namespace artmaker
