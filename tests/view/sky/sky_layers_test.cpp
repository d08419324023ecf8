// Where the sky's layers sit: the lower form, the hill strips' sliding and wrapping, the backdrop's
// sinking with the player's height, and the pictures' names.
#include <gtest/gtest.h>

#include <cmath>

#include "view/sky/sky_layers.h"

namespace {

const engine::Size kScreen(686, 400);

TEST(SkyLayers, LowerSkyIsOneQuadThatNeverMoves) {
  SkyLayers layers(kScreen, true);
  ASSERT_EQ(layers.count(), 1u);
  const engine::Vec2 before = layers.layer(0).position;
  EXPECT_EQ(before, engine::Vec2(343, 280));
  layers.updatePosition(50, 9000, skyHeightsFor(400, 100, 14), 21);
  EXPECT_EQ(layers.layer(0).position, before);
}

TEST(SkyLayers, HillPairsCoverTheScreenAndSlideByTheirDivisor) {
  SkyLayers layers(kScreen, false);
  ASSERT_EQ(layers.count(), 7u);
  EXPECT_FLOAT_EQ(layers.hillScale(), 2.0f);
  // Farthest pair first, each pair one strip on screen and one a screen width to the right.
  EXPECT_FLOAT_EQ(layers.layer(1).divisor, 4.0f);
  EXPECT_FLOAT_EQ(layers.layer(6).divisor, 1.0f);
  EXPECT_FLOAT_EQ(layers.layer(1).position.x, 686.0f);
  EXPECT_FLOAT_EQ(layers.layer(2).position.x, 0.0f);

  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(8, heights.hillTop, heights, 21);
  EXPECT_FLOAT_EQ(layers.layer(2).position.x, -2.0f);
  EXPECT_FLOAT_EQ(layers.layer(4).position.x, -4.0f);
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, -8.0f);
}

TEST(SkyLayers, AStripThatLeavesReappearsOnlyWhenMovingThatWay) {
  SkyLayers layers(kScreen, false);
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  // The nearest strip at 0 moves left by 340 per step: past -343 it wraps to the far right.
  layers.updatePosition(340, 0, heights, 21);
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, -340.0f);
  layers.updatePosition(10, 0, heights, 21);
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, -350.0f + 2 * 686.0f);
  // Far right but moving right: it stays. Moving left past 1.5 screen widths it wraps back.
  layers.updatePosition(-5, 0, heights, 21);
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, 1027.0f);
  layers.updatePosition(-5, 0, heights, 21);
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, 1032.0f - 2 * 686.0f);
  layers.resetLayerX();
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, 0.0f);
  EXPECT_FLOAT_EQ(layers.layer(5).position.x, 686.0f);
}

TEST(SkyLayers, TheBackdropSinksAndTheHillsRiseAsThePlayerClimbs) {
  SkyLayers layers(kScreen, false);
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(0, heights.backBottom - 100, heights, 21);
  const float lowBack = layers.layer(0).position.y;
  const float lowHill = layers.layer(6).position.y;
  layers.updatePosition(0, heights.backTop, heights, 21);
  // At the top the backdrop's top meets the screen's top.
  const float half = 224 * 0.5f * layers.backdropScale();
  EXPECT_FLOAT_EQ(layers.layer(0).position.y, 400 - half);
  EXPECT_FLOAT_EQ(lowBack - layers.layer(0).position.y, 21 * 30 * 0.5f);
  // The near strips hang (96 / 2 - 33 - 10) x k below the backdrop's lower edge at the top, and
  // 60 x k higher at the bottom of the hills' range.
  const float k = layers.hillScale();
  EXPECT_NEAR(layers.layer(6).position.y, 400 - 2 * half - 5 * k, 1e-3);
  EXPECT_NEAR(lowHill - layers.layer(6).position.y, 60 * k + 21 * 30 * 0.5f, 1e-3);
  // The far strips sit above the near ones.
  EXPECT_GT(layers.layer(1).position.y, layers.layer(5).position.y);
}

TEST(SkyLayers, CornersAreWholePointsAndTexCoordsSpanTheRect) {
  SkyLayers layers(kScreen, true);
  const auto corners = layers.corners(0);
  for (const engine::Vec2& c : corners) {
    EXPECT_FLOAT_EQ(c.x, std::ceil(c.x));
    EXPECT_FLOAT_EQ(c.y, std::ceil(c.y));
  }
  EXPECT_LE(corners[0].x, 0.0f);
  EXPECT_GE(corners[1].x, 686.0f);
  EXPECT_LT(corners[0].y, corners[2].y);
  const auto uv = layers.texCoords(0, engine::Size(343, 459), 1.0f);
  EXPECT_FLOAT_EQ(uv[0].x, 0.0f);
  EXPECT_FLOAT_EQ(uv[3].x, 1.0f);
  EXPECT_FLOAT_EQ(uv[0].y, 224.0f / 459.0f);  // the bottom vertices take the rect's lower edge
  EXPECT_FLOAT_EQ(uv[2].y, 0.0f);
  // A picture without a size gives finite coordinates.
  EXPECT_TRUE(std::isfinite(layers.texCoords(0, engine::Size(0, 0), 1.0f)[3].y));
}

}  // namespace

namespace {

TEST(SkyLayers, AScreenThatIsNoMultipleOfThePictureTakesTheNextWholeScale) {
  // 960 / 343 is about 2.8: the layers are drawn at 3, the strips 1029 wide and that far apart.
  SkyLayers layers(engine::Size(960, 540), false);
  EXPECT_FLOAT_EQ(layers.backdropScale(), 3.0f);
  EXPECT_FLOAT_EQ(layers.hillScale(), 3.0f);
  EXPECT_FLOAT_EQ(layers.layer(1).position.x, 1029.0f);
  const auto corners = layers.corners(2);
  EXPECT_FLOAT_EQ(corners[1].x - corners[0].x, 1029.0f);
  // The nearest strip wraps once it is half a strip off the left edge.
  const SkyHeights heights = skyHeightsFor(400, 100, 14);
  layers.updatePosition(515, 0, heights, 21);
  EXPECT_FLOAT_EQ(layers.layer(6).position.x, -515.0f + 2 * 1029.0f);
  // A screen narrower than the picture keeps it at its own size.
  EXPECT_FLOAT_EQ(SkyLayers(engine::Size(200, 150), true).backdropScale(), 1.0f);
}

}  // namespace
