// A cave no light reaches, drawn by the tile window: its wall, and the shadow edges where the rock
// meets its open cells, are as black as the rock around it, so nothing outlines it in the dark.
#include "tests/view/world_view_fixture.h"
#include "world/light/light_map.h"

namespace worldgl {
namespace {

class UnlitCaveView : public WorldViewTest {};

TEST_F(UnlitCaveView, ACaveBeyondEveryLightShowsNoOutlineOfItsEdges) {
  // Ground up to row 29, far deeper than daylight seeps; a pocket of two cells at (11, 10) and
  // (11, 11) beside the player, with the ground's wall behind and rock on every other side.
  groundBelow(30, 15);
  for (const int y : {10, 11}) map->cell(11, y).setFront(world_test::kAir, 0, 0);
  map->lightMap().relightAllWithShadows();
  ASSERT_NE(map->cell(11, 10).shadowEdges(), 0) << "the rock beside the pocket casts its edges";
  for (const bool smooth : {false, true}) {
    kel::options().smoothLighting = smooth;
    build();
    frame();
    for (const int y : {10, 11}) {
      // The pocket's cells, edges and wall alike, at their middle and near each side.
      for (const int dx : {-25, 0, 25}) {
        for (const int dy : {-25, 0, 25}) {
          unsigned char rgba[4] = {};
          glReadBuffer(GL_BACK);
          glReadPixels(kWindow / 2 + 60 + dx, kWindow / 2 + (y - 10) * 60 + dy, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
          EXPECT_TRUE(near({rgba[0], rgba[1], rgba[2], 255}, {0, 0, 0, 255}))
              << "cell (11, " << y << ") + (" << dx << ", " << dy << "), smooth " << smooth;
        }
      }
    }
    layer->teardownWorldView();
  }
}

}  // namespace
}  // namespace worldgl
