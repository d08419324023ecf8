// The edge of the dark as the tile window draws it: under open daylight the ground darkens a step a
// cell down to black, and the last steps into the dark are no harder than the ones before them, so
// the edge is no staircase of lit cells against black; with smooth lighting the step between two
// cells stays at their edge instead of spreading across the darker cell as a smear; a cave the
// daylight reaches through the ground shows its wall, not a black hole in lit rock.
#include "tests/view/world_view_fixture.h"

#include "view/tiles/ground_daylight.h"

namespace worldgl {
namespace {

class DarkEdgeView : public WorldViewTest {
 protected:
  // Open air in daylight above row 19, dirt in front and behind below it. The daylight seeping
  // into the dirt leaves one level at row 9 (eleven cells down) and none at row 8; the player
  // stands at (10, 9), so rows 8 to 10 show, read in column 11 beside her.
  static constexpr int kGroundTop = 19, kLastLitRow = 9;

  void draw(bool smooth) {
    groundBelow(kGroundTop + 1, 15);
    kel::options().smoothLighting = smooth;
    standAt(10, kLastLitRow);
    build();
    frame();
  }

  // The brightness of the pixel in the middle column of cell (11, y), at fraction fy of the cell
  // from its bottom.
  static int at(int y, float fy) {
    const int px = kWindow / 2 + 60;
    const int py = kWindow / 2 + (y - kLastLitRow) * 60 - 30 + static_cast<int>(fy * 60.0f);
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] + rgba[1] + rgba[2];
  }
  static int brightness(const Rgba& c) { return c[0] + c[1] + c[2]; }
};

TEST_F(DarkEdgeView, TheGroundFallsToTheDarkInEvenStepsOfWholeCells) {
  ASSERT_GT(15 - ground_daylight::lossAt(kGroundTop - kLastLitRow + 1), 0) << "row 10 is lit";
  ASSERT_EQ(15 - ground_daylight::lossAt(kGroundTop - kLastLitRow + 2), 0) << "row 9 is dark";
  draw(false);
  const int twoLevels = at(kLastLitRow + 1, 0.5f), oneLevel = at(kLastLitRow, 0.5f), dark = at(kLastLitRow - 1, 0.5f);
  EXPECT_EQ(dark, 0);
  ASSERT_GT(oneLevel, dark);
  ASSERT_GT(twoLevels, oneLevel);
  // The last step, from the last lit cell to black, is about as large as the one before it.
  EXPECT_LE((oneLevel - dark) * 2, (twoLevels - oneLevel) * 3)
      << "cells " << twoLevels << ", " << oneLevel << ", " << dark;
}

TEST_F(DarkEdgeView, WithSmoothLightingTheStepIntoTheDarkStaysAtTheCellsEdge) {
  draw(true);
  // Either side of the edge between the last lit cell and the dark one, and across the dark cell.
  const int litBottom = at(kLastLitRow, 0.05f);
  const int darkTop = at(kLastLitRow - 1, 0.95f);
  const int darkBottom = at(kLastLitRow - 1, 0.05f);
  EXPECT_LT(darkBottom * 4, darkTop + 4) << "the dark cell's far side is black: " << darkBottom;
  EXPECT_GT(litBottom - darkTop, darkTop - darkBottom)
      << "most of the step is at the edge: lit cell " << litBottom << ", dark cell " << darkTop << " to "
      << darkBottom;
  // The same one cell further up, between two lit cells.
  const int upperBottom = at(kLastLitRow + 1, 0.05f);
  const int lowerTop = at(kLastLitRow, 0.95f);
  const int lowerBottom = at(kLastLitRow, 0.05f);
  EXPECT_GT(upperBottom - lowerTop, lowerTop - lowerBottom)
      << "upper cell " << upperBottom << ", lower cell " << lowerTop << " to " << lowerBottom;
}

TEST_F(DarkEdgeView, ACaveWithinTheDaylightsReachShowsItsWallLitAsTheRockAroundIt) {
  // A one-cell pocket at (11, 10), five cells under open daylight; the player stands at (10, 10).
  groundBelow(15, 15);
  map->cell(11, 10).setFront(world_test::kAir, 0, 0);
  for (const bool smooth : {false, true}) {
    kel::options().smoothLighting = smooth;
    build();
    frame();
    const int pocket = brightness(cellPixel(11, 10));
    const int rockAbove = brightness(cellPixel(11, 11)), rockBelow = brightness(cellPixel(11, 9));
    EXPECT_GT(pocket * 4, rockBelow) << "the pocket's wall shows, no black hole (smooth " << smooth << ")";
    EXPECT_LT(pocket, rockBelow) << "set back from the rock's faces (smooth " << smooth << ")";
    EXPECT_GT(rockAbove, rockBelow) << "the rock darkens with depth";
    layer->teardownWorldView();
  }
}

}  // namespace
}  // namespace worldgl
