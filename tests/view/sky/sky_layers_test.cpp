// Where the sky's layers sit: the lower form, the hill strips' sliding and wrapping, the backdrop's
// sinking with the player's height, and the pictures' names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "content/art/sky_layout.h"
#include "view/sky/sky_layers.h"

namespace {

const engine::Size kScreen(686, 400);

TEST(SkyLayers, LowerSkyIsOneQuadThatNeverMoves) {
  SkyLayers layers(kScreen, true, 2.0f);
  ASSERT_EQ(layers.count(), 1u);
  const engine::Vec2 before = layers.layer(0).position;
  EXPECT_EQ(before, engine::Vec2(343, 280));
  layers.updatePosition(50, 9000, skyHeightsFor(400, 100, 14));
  EXPECT_EQ(layers.layer(0).position, before);
}

TEST(SkyLayers, HillRowsCoverTheScreenAndSlideByTheirDivisor) {
  SkyLayers layers(kScreen, false, 2.0f);
  // A strip as wide as the screen: two to a row, the second a strip's width to the right.
  ASSERT_EQ(layers.stripsPerRow(), 2);
  ASSERT_EQ(layers.count(), 7u);
  EXPECT_FLOAT_EQ(layers.hillScale(), 2.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(0, 0)).divisor, 4.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(2, 0)).divisor, 1.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(0, 0)).position.x, 0.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(0, 1)).position.x, 686.0f);

  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(8, heights.hillTop, heights);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(0, 0)).position.x, -2.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(1, 0)).position.x, -4.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(2, 0)).position.x, -8.0f);
}

TEST(SkyLayers, AStripThatLeavesReappearsOnlyWhenMovingThatWay) {
  SkyLayers layers(kScreen, false, 2.0f);
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  const size_t nearest = layers.stripIndex(2, 0);
  // The nearest strip at 0 moves left by 340 per step: past -343 it wraps to the far right.
  layers.updatePosition(340, 0, heights);
  EXPECT_FLOAT_EQ(layers.layer(nearest).position.x, -340.0f);
  layers.updatePosition(10, 0, heights);
  EXPECT_FLOAT_EQ(layers.layer(nearest).position.x, -350.0f + 2 * 686.0f);
  // Far right but moving right: it stays. Moving left past 1.5 strip widths it wraps back.
  layers.updatePosition(-5, 0, heights);
  EXPECT_FLOAT_EQ(layers.layer(nearest).position.x, 1027.0f);
  layers.updatePosition(-5, 0, heights);
  EXPECT_FLOAT_EQ(layers.layer(nearest).position.x, 1032.0f - 2 * 686.0f);
  layers.resetLayerX();
  EXPECT_FLOAT_EQ(layers.layer(nearest).position.x, 0.0f);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(2, 1)).position.x, 686.0f);
}

TEST(SkyLayers, TheBackdropSinksAndTheHillsRiseAsThePlayerClimbs) {
  // The same place about the player, in sky pixels, at every scale of the world and window height,
  // as far as the window's top lets it.
  for (const float k : {1.0f, 2.0f, 3.0f}) {
    for (const float height : {400.0f, 720.0f, 1080.0f}) {
      SkyLayers layers(engine::Size(kScreen.width, height), false, k);
      const SkyHeights heights = skyHeightsFor(400, 100, 14);
      const float half = 224 * 0.5f * k;
      const float highest = std::max(height, 2 * half);
      layers.updatePosition(0, heights.backBottom - 100, heights);
      const float lowBack = layers.layer(0).position.y;
      EXPECT_FLOAT_EQ(lowBack + half, std::min(highest, height * 0.5f + (180 + 112.5f) * k)) << k << " " << height;
      const size_t nearest = layers.stripIndex(2, 0);
      const float lowHill = layers.layer(nearest).position.y;
      layers.updatePosition(0, heights.backTop, heights);
      // At the top the backdrop's top stands 180 sky pixels above the player, at the screen's middle.
      EXPECT_FLOAT_EQ(layers.layer(0).position.y + half, std::min(highest, height * 0.5f + 180 * k)) << k << " " << height;
      // The near strips hang (96 / 2 - 33 - 10) x k below the backdrop's lower edge at the top, and
      // 60 x k higher at the bottom of the hills' range, where the backdrop stands as it does.
      EXPECT_NEAR(layers.layer(nearest).position.y, layers.layer(0).position.y - half - 5 * k, 1e-3);
      EXPECT_NEAR(lowHill - lowBack - (layers.layer(nearest).position.y - layers.layer(0).position.y), 60 * k, 1e-3);
      // The far strips sit above the near ones.
      EXPECT_GT(layers.layer(layers.stripIndex(0, 1)).position.y, layers.layer(nearest).position.y);
    }
  }
}

TEST(SkyLayers, CornersAreWholePointsAndTexCoordsSpanTheRect) {
  SkyLayers layers(kScreen, true, 2.0f);
  const auto corners = layers.corners(0);
  for (const engine::Vec2& c : corners) {
    EXPECT_FLOAT_EQ(c.x, std::ceil(c.x));
    EXPECT_FLOAT_EQ(c.y, std::ceil(c.y));
  }
  EXPECT_LE(corners[0].x, 0.0f);
  EXPECT_GE(corners[1].x, 686.0f);
  EXPECT_LT(corners[0].y, corners[2].y);
  const auto uv = layers.texCoords(0, engine::Size(1024, 459), 1.0f);
  EXPECT_FLOAT_EQ(uv[0].x, 0.0f);
  EXPECT_FLOAT_EQ(uv[3].x, 1.0f);
  EXPECT_FLOAT_EQ(uv[0].y, 224.0f / 459.0f);  // the bottom vertices take the rect's lower edge
  EXPECT_FLOAT_EQ(uv[2].y, 0.0f);
  // A picture without a size gives finite coordinates.
  EXPECT_TRUE(std::isfinite(layers.texCoords(0, engine::Size(0, 0), 1.0f)[3].y));
}

}  // namespace

namespace {

TEST(SkyLayers, TheSkyTakesTheWorldsScaleAndAsManyStripsAsCoverTheScreen) {
  // At the world's 2, a strip is 686 wide: three to a row cover 960 while one of them wraps.
  SkyLayers layers(engine::Size(960, 540), false, 2.0f);
  EXPECT_FLOAT_EQ(layers.backdropScale(), 2.0f);
  EXPECT_FLOAT_EQ(layers.hillScale(), 2.0f);
  ASSERT_EQ(layers.stripsPerRow(), 3);
  EXPECT_EQ(layers.count(), 10u);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(0, 2)).position.x, 1372.0f);
  const auto corners = layers.corners(layers.stripIndex(1, 0));
  EXPECT_FLOAT_EQ(corners[1].x - corners[0].x, 686.0f);
  // The nearest strip wraps to the end of its row once it is half a strip off the left edge.
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(515, 0, heights);
  EXPECT_FLOAT_EQ(layers.layer(layers.stripIndex(2, 0)).position.x, -515.0f + 3 * 686.0f);
  // A wider screen at a larger scale: 1280 at 4 takes one strip more than it needs to cover it.
  EXPECT_EQ(SkyLayers(engine::Size(1280, 720), false, 4.0f).stripsPerRow(), 2);
  EXPECT_FLOAT_EQ(SkyLayers(engine::Size(200, 150), true, 1.0f).backdropScale(), 1.0f);
}

// Whether some quad of positive size holds the point.
bool covered(const std::vector<SkyQuad>& quads, float x, float y) {
  for (const SkyQuad& q : quads) {
    if (q.corners[0].x <= x && x <= q.corners[1].x && q.corners[0].y <= y && y <= q.corners[2].y &&
        q.corners[1].x > q.corners[0].x && q.corners[2].y > q.corners[0].y) {
      return true;
    }
  }
  return false;
}

// Every point of the screen lies in some quad of the sky at one scale and window size.
void expectCovered(engine::Size screen, float scale, bool lower) {
  const engine::Size pixels(1024, 460);
  SkyLayers layers(screen, lower, scale);
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  for (int step = 0; step < 40; ++step) {
    // From below the hills' range to the top of the map, sliding one way then the other.
    const float y = heights.hillBottom - 600.0f + static_cast<float>(step) * (heights.backTop - heights.hillBottom + 600.0f) / 39.0f;
    layers.updatePosition(step < 20 ? 97.0f : -131.0f, y, heights);
    const std::vector<SkyQuad> quads = layers.quads(pixels, 1.0f);
    ASSERT_EQ(quads.size(), layers.quadCount());
    for (float x = 0.0f; x <= screen.width; x += 16.0f) {
      for (float sy = 0.0f; sy <= screen.height; sy += 12.0f) {
        ASSERT_TRUE(covered(quads, x, sy)) << "(" << x << ", " << sy << ") bare at step " << step << " lower " << lower
                                           << " scale " << scale << " height " << screen.height;
      }
    }
  }
}

TEST(SkyLayers, TheQuadsCoverTheWholeScreenAtEveryHeightAndSlide) {
  for (const engine::Size screen : {engine::Size(960, 540), engine::Size(1920, 1080)}) {
    for (const float scale : {1.0f, 2.0f}) {
      for (const bool lower : {true, false}) expectCovered(screen, scale, lower);
    }
  }
}

TEST(SkyLayers, TheFillBelowAStripTakesAPixelOfItsLowestRow) {
  SkyLayers layers(engine::Size(960, 540), false, 2.0f);
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(0, heights.backTop, heights);  // high up: the hills sink low
  const engine::Size pixels(1024, 460);
  const std::vector<SkyQuad> quads = layers.quads(pixels, 1.0f);
  // After the backdrop, its two copies of three pieces and its two fills, each strip is followed
  // by its own fill.
  const SkyQuad& strip = quads[9];
  const SkyQuad& fill = quads[10];
  EXPECT_FLOAT_EQ(fill.corners[2].y, strip.corners[0].y) << "the fill meets the strip's lower edge";
  EXPECT_LE(fill.corners[0].y, 0.0f) << "and reaches the screen's bottom";
  EXPECT_FLOAT_EQ(fill.uv[0].y, fill.uv[2].y) << "one row of pixels";
  EXPECT_NEAR(fill.uv[0].y, strip.uv[0].y - 0.5f / 460.0f, 1e-6) << "the strip's lowest";
  EXPECT_FLOAT_EQ(fill.uv[0].x, fill.uv[1].x) << "one pixel of it, so its dither draws no stripes";
  EXPECT_GT(fill.uv[0].x, strip.uv[0].x);
  EXPECT_LT(fill.uv[0].x, strip.uv[1].x);
}

TEST(SkyLayers, TheBackdropGoesOnSidewaysAsCopiesOfItselfNotAsItsEdgeColumnsSmeared) {
  const engine::Size pixels(art::kSkyPictureWidth, 460);
  SkyLayers layers(engine::Size(5000, 1080), false, 2.0f);
  const std::vector<SkyQuad> quads = layers.quads(pixels, 1.0f);
  const SkyQuad& backdrop = quads[0];
  const float width = backdrop.corners[1].x - backdrop.corners[0].x;
  EXPECT_FLOAT_EQ(width, 2.0f * art::kSkyPictureWidth) << "the picture's whole width, at the world's scale";
  // Each copy is three pieces side by side: the backdrop's own columns left and right of the sun
  // and moons, and between them the same columns drawn without them.
  const engine::Rect lightless = art::skyLightlessRect();
  for (size_t first : {size_t{1}, size_t{4}}) {
    const SkyQuad &left = quads[first], &band = quads[first + 1], &right = quads[first + 2];
    EXPECT_FLOAT_EQ(right.corners[1].x - left.corners[0].x, width) << "as wide as the backdrop";
    EXPECT_FLOAT_EQ(left.corners[1].x, band.corners[0].x);
    EXPECT_FLOAT_EQ(band.corners[1].x, right.corners[0].x);
    EXPECT_FLOAT_EQ(band.corners[1].x - band.corners[0].x, 2.0f * art::kSkyLightsWidth);
    for (const SkyQuad* piece : {&left, &band, &right}) {
      EXPECT_FLOAT_EQ(piece->corners[0].y, backdrop.corners[0].y);
      EXPECT_FLOAT_EQ(piece->corners[2].y, backdrop.corners[2].y);
    }
    EXPECT_EQ(left.uv[0], backdrop.uv[0]) << "the picture itself from its left edge";
    EXPECT_EQ(right.uv[3], backdrop.uv[3]) << "to its right edge";
    EXPECT_FLOAT_EQ(band.uv[0].x, lightless.getMinX() / art::kSkyPictureWidth) << "the columns without sun or moons";
    EXPECT_FLOAT_EQ(band.uv[3].x, lightless.getMaxX() / art::kSkyPictureWidth);
  }
  EXPECT_FLOAT_EQ(quads[3].corners[1].x, backdrop.corners[0].x) << "meets the backdrop on the left";
  EXPECT_FLOAT_EQ(quads[4].corners[0].x, backdrop.corners[1].x) << "and on the right";
  EXPECT_LE(quads[1].corners[0].x, 0.0f);
  EXPECT_GE(quads[6].corners[1].x, 5000.0f);
}

}  // namespace

namespace {

TEST(SkyLayers, UnderANearStripItsGroundRowsRepeatDownToTheScreensBottom) {
  const engine::Size pixels(art::kSkyPictureWidth, 460);
  SkyLayers layers(engine::Size(1280, 720), false, 2.0f);
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(0.0f, heights.hillTop, heights);
  const std::vector<SkyQuad> quads = layers.quads(pixels, 1.0f);
  ASSERT_EQ(quads.size(), layers.quadCount());
  // The last row's first strip follows the two rows' strips and their one-pixel fills.
  const size_t at = 9 + 2 * static_cast<size_t>(2 * layers.stripsPerRow());
  const SkyQuad& strip = quads[at];
  ASSERT_EQ(strip.uv[0].y, layers.texCoords(layers.stripIndex(2, 0), pixels, 1.0f)[0].y) << "a near strip";
  const float band = 2.0f * art::kNearGroundRows;
  float top = strip.corners[0].y;
  for (int k = 0; k < layers.groundCopies(); ++k) {
    const SkyQuad& copy = quads[at + 1 + static_cast<size_t>(k)];
    if (top > 0.0f) {
      EXPECT_FLOAT_EQ(copy.corners[2].y, top) << "copy " << k << " meets the one above";
    }
    EXPECT_EQ(copy.corners[0].x, strip.corners[0].x);
    EXPECT_EQ(copy.corners[1].x, strip.corners[1].x);
    EXPECT_FLOAT_EQ(copy.uv[2].y, strip.uv[0].y - art::kNearGroundRows / 460.0f) << "from the band's top row";
    EXPECT_NE(copy.uv[0].x, copy.uv[1].x) << "the whole width of the strip, not one pixel";
    if (copy.corners[0].y > 0.0f) {
      EXPECT_FLOAT_EQ(top - copy.corners[0].y, band) << "a whole band";
    }
    top = std::min(top, copy.corners[0].y);
  }
  EXPECT_LE(top, 0.0f) << "down to the screen's bottom";
}

}  // namespace
