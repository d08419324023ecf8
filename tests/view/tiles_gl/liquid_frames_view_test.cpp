// Settled liquid as the tile window draws it, against a liquid atlas whose frames tell themselves
// apart: level frames have a white surface line on a blue body, the frames of covered full cells
// are plain and darker by depth, the moving frame is magenta. A column of full water shows its
// surface line on its top cell only and darkens downward; a source lying on more water is still,
// one pouring into air moves; lava shows at full strength in the dark.
#include "tests/view/world_view_fixture.h"

#include "content/art/block_atlas_layout.h"
#include "view/tiles/tile_sprites.h"
#include "world/cells/map_block.h"

namespace worldgl {
namespace {

constexpr Rgba kBody{0, 0, 200, 255};
constexpr Rgba kSurface{255, 255, 255, 255};
constexpr Rgba kMoving{255, 0, 255, 255};

Rgba coveredColour(int depth) { return {0, 0, 200 - 40 * depth, 255}; }

void paint(rendertest::PngSpec& png, const engine::Rect& frame, int fromRow, int toRow, const Rgba& colour) {
  for (int y = int(frame.origin.y) + fromRow; y < int(frame.origin.y) + toRow; ++y) {
    for (int x = int(frame.origin.x); x < int(frame.getMaxX()); ++x) {
      for (int k = 0; k < 4; ++k) png.pixels[(size_t(y) * png.width + x) * 4 + k] = uint8_t(colour[k]);
    }
  }
}

std::string tellingFluidsPng() {
  rendertest::PngSpec png;
  png.width = art::kLiquidAtlasWidth;
  png.height = art::kLiquidAtlasHeight;
  png.pixels.assign(size_t(png.width) * png.height * 4, 0);
  for (auto kind : {art::LiquidKind::Water, art::LiquidKind::Lava, art::LiquidKind::Acid}) {
    for (int hi = 1; hi <= art::kLiquidMaxAmount; ++hi) {
      for (int lo = 0; lo <= hi; ++lo) {
        const engine::Rect frame = art::liquidSpriteRect(kind, uint8_t(hi), uint8_t(lo), false);
        paint(png, frame, 0, 2, kSurface);
        paint(png, frame, 2, art::kFrameSize, kBody);
      }
    }
    for (int depth = 1; depth <= art::kLiquidDepthBands; ++depth) {
      paint(png, art::coveredLiquidSpriteRect(kind, depth), 0, art::kFrameSize, coveredColour(depth));
    }
    paint(png, art::liquidSpriteRect(kind, 0, 0, true), 0, art::kFrameSize, kMoving);
  }
  return rendertest::encodePng(png);
}

constexpr uint8_t kFullWater = 1 << 6 | 4 | 4 << 3;
constexpr uint8_t kFullLava = 2 << 6 | 4 | 4 << 3;

class LiquidFramesView : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    atlases.write("fluids.png", tellingFluidsPng());
  }

  // The pixel `fromTop` screen pixels below the top edge of the cell (x, y), at its middle column.
  static Rgba belowTopOf(int x, int y, int fromTop) {
    const int px = kWindow / 2 + (x - 10) * 60;
    const int top = kWindow / 2 + (y - 10) * 60 + 29;
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(px, top - fromTop, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }

  // A column of full water in cells (9, 9) to (9, 11), the dirt under the lowest one cleared.
  void fillWaterColumn(bool sources) {
    map->cell(9, 9).setFront(0, 0, 0);
    for (int y = 9; y <= 11; ++y) {
      MapBlock& cell = map->cell(9, y);
      cell.liquid = kFullWater;
      if (sources) cell.flags |= cell_flag::kLiquidSource;
    }
  }
};

TEST_F(LiquidFramesView, AColumnOfFullWaterShowsItsSurfaceOnTheTopCellOnlyAndDarkensDownward) {
  fillWaterColumn(false);
  build();
  frame();
  EXPECT_TRUE(near(belowTopOf(9, 11, 1), kSurface));
  EXPECT_TRUE(near(belowTopOf(9, 11, 20), kBody));
  // The cells under it carry no surface line, and each lies darker than the one above.
  EXPECT_TRUE(near(belowTopOf(9, 10, 1), coveredColour(1)));
  EXPECT_TRUE(near(belowTopOf(9, 9, 1), coveredColour(2)));
  EXPECT_LT(cellPixel(9, 9)[2], cellPixel(9, 10)[2]);
  EXPECT_LT(cellPixel(9, 10)[2], cellPixel(9, 11)[2]);
}

TEST_F(LiquidFramesView, SourcesLyingOnWaterAreStillAndASourcePouringIntoAirMoves) {
  fillWaterColumn(true);
  MapBlock& pouring = map->cell(11, 11);  // air below it
  pouring.liquid = kFullWater;
  pouring.flags |= cell_flag::kLiquidSource;
  build();
  frame();
  EXPECT_TRUE(near(belowTopOf(9, 11, 1), kSurface));
  EXPECT_TRUE(near(belowTopOf(9, 10, 1), coveredColour(1)));
  EXPECT_TRUE(near(cellPixel(11, 11), kMoving));
  // Once the cell below fills, the source lies still.
  map->cell(11, 10).liquid = kFullWater;
  layer->tiles()->updateTileAndNeighbours(map->cell(11, 10), TileSprites::kRebuildCell);
  frame();
  EXPECT_TRUE(near(belowTopOf(11, 11, 1), kSurface));
  EXPECT_TRUE(near(belowTopOf(11, 10, 1), coveredColour(1)));
}

TEST_F(LiquidFramesView, TheCellsUnderADrainedSurfaceTakeTheSurfaceLine) {
  fillWaterColumn(false);
  build();
  frame();
  map->cell(9, 11).liquid = 0;
  layer->tiles()->updateTileAndNeighbours(map->cell(9, 11), TileSprites::kRebuildCell);
  frame();
  EXPECT_TRUE(near(belowTopOf(9, 10, 1), kSurface));
  EXPECT_TRUE(near(belowTopOf(9, 9, 1), coveredColour(1)));
}

TEST_F(LiquidFramesView, LavaShowsAtFullStrengthInTheDark) {
  MapBlock& lava = map->cell(11, 11);
  lava.liquid = kFullLava;
  lava.setSkyLevel(0);
  MapBlock& water = map->cell(9, 11);
  water.liquid = kFullWater;
  water.setSkyLevel(0);
  build();
  frame();
  EXPECT_TRUE(near(cellPixel(11, 11), kBody));
  EXPECT_TRUE(near(cellPixel(9, 11), Rgba{0, 0, 0, 255}));
}

}  // namespace
}  // namespace worldgl
