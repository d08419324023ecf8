// A torch in a cave as the tile window draws it, flat and with smooth lighting: the open cave
// around the torch (the ground's back layer behind it) is lit at least as much as the rock faces
// at the same distance, and a single block standing in the lit cave is drawn apart from the hole
// the same cave shows without it.
#include "tests/view/world_view_fixture.h"

#include "world/light/light_map.h"

namespace worldgl {
namespace {

constexpr int kCaveLeft = 6, kCaveRight = 14, kCaveBottom = 10, kCaveTop = 12;

class CaveLightView : public WorldViewTest {
 protected:
  // Ground in front and behind up to row 24, open air above it, and a cave of open cells with the
  // ground behind them around the player's cell (10, 10), deeper than the daylight reaches; its
  // floor is row 9.
  void SetUp() override {
    WorldViewTest::SetUp();
    groundBelow(25, 0);
    for (int x = kCaveLeft; x <= kCaveRight; ++x) {
      for (int y = kCaveBottom; y <= kCaveTop; ++y) map->cell(x, y).setFront(world_test::kAir, 0, 0);
    }
  }

  // The torch on the cave's floor at (9, 10); lights the map afresh and draws one frame.
  void lightAndDraw(bool smooth) {
    kel::options().smoothLighting = smooth;
    map->cell(9, 10).setFront(world_test::kTorch, 0, 0);
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) {
        map->cell(x, y).blockLight = 0;
        map->cell(x, y).setSkyLevel(0);
      }
    }
    map->lightMap().relightAll();
    build();
    frame();
  }

  static int brightness(const Rgba& c) { return c[0] + c[1] + c[2]; }
};

TEST_F(CaveLightView, TheOpenCaveBesideATorchIsLitAtLeastAsMuchAsTheRockFaceAtTheSameDistance) {
  for (const bool smooth : {false, true}) {
    lightAndDraw(smooth);
    ASSERT_EQ(map->cell(9, 11).lightColour(), map->cell(9, 9).lightColour()) << "one step from the torch each";
    const Rgba open = cellPixel(9, 11);  // above the torch: the ground's back layer behind open air
    const Rgba rock = cellPixel(9, 9);   // below the torch: the floor's face
    EXPECT_GT(brightness(rock), 150) << "the rock beside the torch is lit (smooth " << smooth << ")";
    EXPECT_GE(brightness(open), brightness(rock)) << "smooth " << smooth;
    // The torch's light in the cave is warm: red above green above blue, as it is on the rock.
    EXPECT_GT(open[0] * blockColour(world_test::kDirt)[1], open[1] * blockColour(world_test::kDirt)[0]);
    layer->teardownWorldView();
  }
}

TEST_F(CaveLightView, ASingleBlockInTheLitCaveIsDrawnApartFromTheHoleWithoutIt) {
  for (const bool smooth : {false, true}) {
    lightAndDraw(smooth);
    const Rgba hole = cellPixel(11, 11);
    const Rgba openBeside = cellPixel(11, 10);
    layer->teardownWorldView();

    map->cell(11, 11).setFront(world_test::kDirt, 0, 0);
    lightAndDraw(smooth);
    const Rgba block = cellPixel(11, 11);
    // The hole is open cave like its neighbour; the block's face, lit by the same torch, stands out.
    EXPECT_GE(brightness(hole), brightness(block)) << "smooth " << smooth;
    EXPECT_GT(brightness(hole) - brightness(block), 20) << "smooth " << smooth;
    EXPECT_LE(std::abs(brightness(hole) - brightness(openBeside)), brightness(hole) - brightness(block))
        << "the hole reads as the cave around it (smooth " << smooth << ")";
    map->cell(11, 11).setFront(world_test::kAir, 0, 0);
    layer->teardownWorldView();
  }
}

}  // namespace
}  // namespace worldgl
