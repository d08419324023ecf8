// The map's frame: the whole map fitted at first, each zoom step doubling a cell and halving what
// shows around the centre, panning kept inside the map, and the player's cell found in the frame.

#include <gtest/gtest.h>

#include <cmath>

#include "ui/views/map_frame.h"

namespace {

class MapFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { frame.reset(400, 100, engine::Size(800, 400)); }
  MapFrame frame;
};

TEST_F(MapFrameTest, TheWholeMapIsFittedAtFirstAndEachStepInShowsHalfTheCellsTwiceAsLarge) {
  EXPECT_FLOAT_EQ(frame.scale(), 2.0f);
  EXPECT_FLOAT_EQ(frame.shownCells().size.width, 400.0f);
  EXPECT_FLOAT_EQ(frame.shownCells().size.height, 100.0f);
  ASSERT_TRUE(frame.zoomIn());
  EXPECT_FLOAT_EQ(frame.scale(), 4.0f);
  EXPECT_FLOAT_EQ(frame.shownCells().size.width, 200.0f);
  // The height fits the frame at 4 points a cell: the whole 100 rows still show.
  EXPECT_FLOAT_EQ(frame.shownCells().size.height, 100.0f);
  ASSERT_TRUE(frame.zoomIn());
  EXPECT_FLOAT_EQ(frame.shownCells().size.width, 100.0f);
  EXPECT_FLOAT_EQ(frame.shownCells().size.height, 50.0f);
  EXPECT_TRUE(frame.zoomOut());
  EXPECT_TRUE(frame.zoomOut());
  EXPECT_FALSE(frame.zoomOut()) << "never smaller than the whole map";
}

TEST_F(MapFrameTest, TheZoomStopsAtItsLastStep) {
  for (int step = 0; step < MapFrame::kMaxZoomSteps; ++step) EXPECT_TRUE(frame.zoomIn());
  EXPECT_FALSE(frame.zoomIn());
  EXPECT_EQ(frame.zoomSteps(), MapFrame::kMaxZoomSteps);
}

TEST_F(MapFrameTest, PanningMovesTheCentreButNeverPastTheMapsEdges) {
  frame.zoomIn();
  frame.zoomIn();  // 100 x 50 cells show
  frame.centreOn(200, 50);
  frame.panCells(30, -10);
  EXPECT_FLOAT_EQ(frame.centre().x, 230.0f);
  EXPECT_FLOAT_EQ(frame.centre().y, 40.0f);
  frame.panCells(1000, 1000);
  EXPECT_FLOAT_EQ(frame.shownCells().origin.x + frame.shownCells().size.width, 400.0f);
  EXPECT_FLOAT_EQ(frame.shownCells().origin.y + frame.shownCells().size.height, 100.0f);
  // A drag of 80 points to the left at 8 points a cell moves the view 10 cells.
  frame.panPoints(-80, 0);
  EXPECT_FLOAT_EQ(frame.centre().x, 340.0f);
}

TEST_F(MapFrameTest, ACellIsFoundInTheFrameOnlyWhileItShows) {
  EXPECT_FLOAT_EQ(frame.pointOfCell(0, 0).x, 1.0f);
  EXPECT_FLOAT_EQ(frame.pointOfCell(0, 0).y, 101.0f) << "the fitted map sits in the frame's middle";
  frame.zoomIn();
  frame.zoomIn();
  frame.centreOn(50, 25);  // cells 0..100 across, 0..50 up
  EXPECT_TRUE(frame.showsCell(10, 10));
  EXPECT_FLOAT_EQ(frame.pointOfCell(10, 10).x, 84.0f);
  EXPECT_FALSE(frame.showsCell(300, 10));
  EXPECT_FALSE(frame.showsCell(10, 90));
}

TEST_F(MapFrameTest, ACentreNearAnEdgeIsKeptSoTheNextStepClosesInOnIt) {
  frame.zoomIn();  // all 100 rows still show: the centre row cannot move yet
  frame.centreOn(200, 90);
  EXPECT_FLOAT_EQ(frame.centre().y, 50.0f);
  frame.zoomIn();  // 50 rows show: as near the top row as the map allows
  EXPECT_FLOAT_EQ(frame.centre().y, 75.0f);
  EXPECT_TRUE(frame.showsCell(200, 90));
}

TEST(MapFrameScale, TheWholeMapIsFittedAtAWholePixelScaleAndTheFrameSpansPastItsEdges) {
  MapFrame frame;
  // 2.27 points a cell would fit the width: two whole points are drawn, the map centred.
  frame.reset(512, 128, engine::Size(1160, 290));
  EXPECT_FLOAT_EQ(frame.scale(), 2.0f);
  EXPECT_FLOAT_EQ(frame.shownCells().size.width, 512.0f);
  const engine::Rect spanned = frame.frameCells();
  EXPECT_FLOAT_EQ(spanned.size.width, 580.0f) << "the frame spans 34 cells past each side";
  EXPECT_FLOAT_EQ(spanned.size.height, 145.0f);
  EXPECT_FLOAT_EQ(spanned.getMinX(), -34.0f);
  // Cells' edges fall on whole points: the frame's corner is a whole number of pixels from cell 0.
  EXPECT_FLOAT_EQ(spanned.getMinY() * frame.scale(), std::round(spanned.getMinY() * frame.scale()));
  EXPECT_FLOAT_EQ(frame.pointOfCell(0, 0).x, (0.5f - spanned.getMinX()) * 2.0f);
  ASSERT_TRUE(frame.zoomIn());
  EXPECT_FLOAT_EQ(frame.scale(), 4.0f);

  // A map larger than the frame: whole cells a point, a power of two.
  frame.reset(4096, 512, engine::Size(1160, 480));
  EXPECT_FLOAT_EQ(frame.scale(), 0.25f);
  ASSERT_TRUE(frame.zoomIn());
  EXPECT_FLOAT_EQ(frame.scale(), 0.5f);
}

TEST(MapFrameScale, PanningKeepsTheFramesCornerOnAWholePoint) {
  MapFrame frame;
  frame.reset(400, 100, engine::Size(801, 401));
  frame.zoomIn();
  frame.zoomIn();
  frame.centreOn(123.3f, 47.9f);
  const float s = frame.scale();
  const engine::Rect spanned = frame.frameCells();
  EXPECT_FLOAT_EQ(spanned.getMinX() * s, std::round(spanned.getMinX() * s));
  EXPECT_FLOAT_EQ(spanned.getMinY() * s, std::round(spanned.getMinY() * s));
  EXPECT_NEAR(frame.centre().x, 123.3f, 0.5f / s);
}

}  // namespace
