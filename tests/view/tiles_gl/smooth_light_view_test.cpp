// Smooth lighting as the tile window draws it: a cell whose only lit corner is the one a light
// beside it shares fades away from that corner, without a bright ridge across to the opposite
// corner, whichever corner it is.
#include "tests/view/world_view_fixture.h"

#include "world/cells/map_block.h"

namespace worldgl {
namespace {

class SmoothLightView : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    kel::options().smoothLighting = true;
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) map->cell(x, y).setSkyLevel(0);
    }
  }

  // The pixel of cell (x, y) at fractions (fx, fy) of the cell from its bottom-left corner.
  static Rgba pixelIn(int x, int y, float fx, float fy) {
    const int px = kWindow / 2 + (x - 10) * 60 - 30 + static_cast<int>(fx * 60.0f);
    const int py = kWindow / 2 + (y - 10) * 60 - 30 + static_cast<int>(fy * 60.0f);
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }
  static int brightness(const Rgba& c) { return c[0] + c[1] + c[2]; }
};

TEST_F(SmoothLightView, ALightAtOneCornerFadesWithoutARidgeToTheOppositeCorner) {
  // The dirt cell (10, 9) under dark open air, lit only through the corner it shares with one open
  // cell, by a lamp's light there (daylight there would seep into the dirt, ground_daylight.h).
  const struct { int litX, litY; float cornerX, cornerY; } cases[] = {
      {11, 10, 1.0f, 1.0f},  // up and right: its top-right corner
      {9, 10, 0.0f, 1.0f},   // up and left: its top-left corner
  };
  for (const auto& c : cases) {
    for (int x = 8; x <= 12; ++x) map->cell(x, 10).blockLight = 0;
    map->cell(c.litX, c.litY).blockLight = 0xFFF;
    build();
    frame();
    const Rgba nearCorner = pixelIn(10, 9, 0.9f * c.cornerX + 0.05f, 0.9f * c.cornerY + 0.05f);
    // Three quarters of the way to the opposite corner a smooth fade has almost nothing left (a
    // sixteenth); a ridge along the diagonal would still carry a quarter.
    const float farX = c.cornerX + 0.75f * (1.0f - 2.0f * c.cornerX);
    const float farY = c.cornerY + 0.75f * (1.0f - 2.0f * c.cornerY);
    const Rgba far = pixelIn(10, 9, farX, farY);
    // The dark cell's corner rises a third of the way to one level towards the light: it shows, no more.
    EXPECT_GT(brightness(nearCorner), 12) << "the lit corner shows (" << c.litX << ", " << c.litY << ")";
    EXPECT_LT(brightness(far) * 8, brightness(nearCorner)) << "a ridge from (" << c.litX << ", " << c.litY << ")";
    layer->teardownWorldView();
  }
}

}  // namespace
}  // namespace worldgl
