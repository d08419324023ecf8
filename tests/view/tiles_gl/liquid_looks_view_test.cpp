// Liquids as the art maker paints them, drawn by the tile window: lava filling a dug shaft is one
// glowing body with no cell's edge showing through it.
#include "tests/view/world_view_fixture.h"

#include <fstream>
#include <sstream>

#include "world/cells/map_block.h"
#include "world/light/light_map.h"

namespace worldgl {
namespace {

constexpr uint8_t liquidByte(int kind, int a, int b) { return uint8_t(kind << 6 | a | b << 3); }
constexpr int kLava = 2;
constexpr int kCell = 60;  // screen pixels per cell

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class LiquidLooksView : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    atlases.write("fluids.png", readFile(std::string(RUBBLE_DATA_DIR) + "/gfx/fluids.png"));
  }

  // The pixel at (dx, dy) screen pixels from the bottom-left corner of cell (x, y), the player
  // standing at (centreX, centreY) in the middle of the window.
  static Rgba pixelOf(int centreX, int centreY, int x, int y, int dx, int dy) {
    const int px = kWindow / 2 + (x - centreX) * kCell - kCell / 2 + dx;
    const int py = kWindow / 2 + (y - centreY) * kCell - kCell / 2 + dy;
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }
  static int apart(const Rgba& a, const Rgba& b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
  }
};

TEST_F(LiquidLooksView, LavaFillingADugShaftIsOneBodyWithoutCellEdges) {
  // A shaft two wide dug from the surface row 9 down to row 5, full of lava, dirt behind it.
  for (int x = 8; x <= 9; ++x) {
    for (int y = 5; y <= 9; ++y) {
      MapBlock& cell = map->cell(x, y);
      cell.setFront(0, 0, 0);
      cell.setLayer(world_test::kDirt, 0, MapBlock::kBack);
      cell.liquid = liquidByte(kLava, 4, 4);
    }
  }
  map->lightMap().relightAllWithShadows();
  standAt(9, 8);
  build();
  frame();
  // Down column 8 from the lower half of the top cell through the two covered cells below it, a
  // little in from the shaft's wall: no step between neighbouring pixels, and one colour throughout.
  const Rgba first = pixelOf(9, 8, 8, 9, 10, 10);
  EXPECT_GT(first[0], 150) << "lava glows";
  int steepest = 0;
  Rgba before = first;
  for (int row = 9; row >= 7; --row) {
    for (int dy = row == 9 ? 10 : kCell - 1; dy >= 0; --dy) {
      const Rgba now = pixelOf(9, 8, 8, row, 10, dy);
      steepest = std::max(steepest, apart(now, before));
      EXPECT_LE(apart(now, first), 12) << "row " << row << " pixel " << dy;
      before = now;
    }
  }
  EXPECT_LE(steepest, 6) << "a cell's edge shows through the lava";
}

}  // namespace
}  // namespace worldgl
