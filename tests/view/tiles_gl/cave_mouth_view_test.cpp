// What shows behind the open cells of a cave that opens to the sky, read back from the screen: the
// cave wall where the ground goes on behind the cell, nothing of the window's own (the sky, here
// the clear colour) where the cell is open air.
#include "tests/view/world_view_fixture.h"

#include "content/art/block_atlas_layout.h"
#include "engine/base/ref_ptr.h"
#include "engine/scene/inner_node.h"
#include "view/tiles/tile_refresh.h"
#include "view/tiles/tile_sprites.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/light/light_map.h"

namespace worldgl {
namespace {

constexpr uint32_t kPlanet = 1;
constexpr int kSurface = 13;  // every column's surface line: rows 10-12 are the dip nothing walls
constexpr Rgba kWallColour{200, 60, 220, 255};

// The test block atlas with the cave walls' frames painted in their own colour.
std::string rocksWithWallsPng() {
  rendertest::PngSpec png;
  png.width = 2048;
  png.height = 128;
  png.pixels.assign(static_cast<size_t>(png.width) * png.height * 4, 0);
  auto paint = [&png](int x0, int y0, int w, int h, const Rgba& c) {
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        for (int k = 0; k < 4; ++k) png.pixels[(static_cast<size_t>(y) * png.width + x) * 4 + k] = static_cast<uint8_t>(c[k]);
      }
    }
  };
  for (int i = 0; i < 32; ++i) paint(i * 32, 0, 32, 32, blockColour(i));
  for (int band = 0; band < art::kCaveWallBands; ++band) {
    const engine::Rect r = art::caveWallSpriteRect(kPlanet, band);
    paint(static_cast<int>(r.origin.x) - 1, static_cast<int>(r.origin.y) - 1, 32, 32, kWallColour);
  }
  return rendertest::encodePng(png);
}

class CaveMouthView : public WorldViewTest {
 protected:
  // A planet with a surface line. Left of column 10 the ground (front and behind) reaches the
  // surface line; from column 10 on it was never there above row 8, so the air there is open to
  // the sky. A pocket at (9, 10) and (9, 11), hollowed out of both layers, opens into that air
  // under the ground's last row.
  void SetUp() override {
    WorldViewTest::SetUp();
    world_test::WorldTest::addSurfacePlanet(kPlanet);
    WorldParams params;
    params.planetId = kPlanet;
    running.world = World::create(nullptr, params, 40, 30);
    map = &running.world->map();
    ASSERT_TRUE(map->hasSurfaceLine());
    for (int x = 0; x < 40; ++x) {
      map->surfaceLines()[static_cast<size_t>(x)] = kSurface;
      const int groundTop = x < 10 ? kSurface : 9;
      for (int y = 0; y < 30; ++y) setGround(x, y, y < groundTop);
    }
    for (int y : {10, 11}) setGround(9, y, false);
    relight();
    atlases.write("rocks.png", rocksWithWallsPng());
  }

  // Dirt in front and behind, or neither.
  void setGround(int x, int y, bool ground) {
    const uint16_t id = ground ? world_test::kDirt : world_test::kAir;
    map->cell(x, y).setFront(id, 0, 0);
    map->cell(x, y).setLayer(id, 0, MapBlock::kBack);
  }

  void relight() {
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) {
        map->cell(x, y).blockLight = 0;
        map->cell(x, y).setSkyLevel(0);
      }
    }
    map->computeSurfaceHeights();
    map->lightMap().relightAll();
  }

  static bool isBlack(const Rgba& c) { return c[0] + c[1] + c[2] < 10; }
  // The wall colour, lit by whatever light the cell has.
  static bool isWall(const Rgba& c) { return c[0] > 10 && c[2] > c[1] + 10 && c[0] > c[1] + 10; }
};

TEST_F(CaveMouthView, TheMouthShowsTheSkyWhereItIsOpenAndTheWallWhereTheGroundGoesOnBehind) {
  for (const bool smooth : {false, true}) {
    kel::options().smoothLighting = smooth;
    build();
    frame();
    // The pocket under the ground's last row: covered, in the dip's rows, and still walled.
    EXPECT_TRUE(isWall(cellPixel(9, 10))) << "smooth " << smooth;
    EXPECT_TRUE(isWall(cellPixel(9, 11))) << "smooth " << smooth;
    // Beyond the mouth: open air under the surface line but nothing behind it, deep or not.
    EXPECT_TRUE(isBlack(cellPixel(11, 11))) << "smooth " << smooth;
    EXPECT_TRUE(isBlack(cellPixel(11, 9))) << "row 9 lies deeper than the dip (smooth " << smooth << ")";
    // The ground in front still draws its block.
    EXPECT_FALSE(isBlack(cellPixel(9, 9))) << "smooth " << smooth;
    layer->teardownWorldView();
  }
}

TEST_F(CaveMouthView, AShaftOpenToTheSkyKeepsItsWallBelowTheDip) {
  // The ground to the right made whole, then a shaft two columns wide through it, open to the sky.
  for (int x = 10; x < 40; ++x) {
    for (int y = 0; y < kSurface; ++y) setGround(x, y, !(y >= 5 && (x == 10 || x == 11)));
  }
  relight();
  build();
  frame();
  EXPECT_TRUE(isWall(cellPixel(11, 9))) << "row 9, deeper than the dip: the ground stands on both sides";
  EXPECT_TRUE(isBlack(cellPixel(11, 11))) << "row 11, in the dip and open to the sky";
}

TEST_F(CaveMouthView, APitWiderThanAShaftShowsNoWallHangingInItsAir) {
  // The ground made whole, then a pit six columns wide (7 to 12) through it, open to the sky; the
  // view around (10, 10) lies inside it, below the dip.
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < kSurface; ++y) setGround(x, y, !(y >= 5 && x >= 7 && x <= 12));
  }
  relight();
  build();
  frame();
  for (int x = 9; x <= 11; ++x) {
    for (int y = 9; y <= 11; ++y) {
      if (x == 10 && y == 10) continue;  // the player stands there
      EXPECT_TRUE(isBlack(cellPixel(x, y))) << "(" << x << ", " << y << "): open air, nothing behind it";
    }
  }
}

TEST_F(CaveMouthView, TheSkyStaysDrawnBelowItsRowWhileAnOpenCellOnScreenShowsIt) {
  // The sky's row far above the player: by its row alone it would hide, and the pit's open air,
  // with nothing behind it, would be drawn black.
  const auto skyShownAfterRebuild = [this] {
    engine::RefPtr<engine::InnerNode> sky(engine::InnerNode::create());
    layer->setSky(sky.get(), {}, 1000);
    layer->rebuildWorldView();
    const bool shown = sky->isVisible();
    layer->setSky(nullptr, {}, 0);
    return shown;
  };
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < kSurface; ++y) setGround(x, y, !(y >= 5 && x >= 7 && x <= 12));
  }
  relight();
  build();
  EXPECT_TRUE(layer->tiles()->showsSky());
  EXPECT_TRUE(skyShownAfterRebuild()) << "the pit's air shows the sky";
  layer->teardownWorldView();

  // Ground whole over the whole window but a tunnel: its open cells show the cave wall, so the sky
  // hides.
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < 30; ++y) setGround(x, y, !(y == 10 && x >= 8 && x <= 12));
  }
  relight();
  build();
  EXPECT_FALSE(layer->tiles()->showsSky());
  EXPECT_FALSE(skyShownAfterRebuild());
}

TEST_F(CaveMouthView, AShaftDugThroughTheFrontShowsItsBackAsTheWorldReadAgainShowsIt) {
  // The ground made whole up to the surface line, front and behind; then, with the view up, a
  // shaft dug down column 10 through the front blocks alone, one edit a cell as mining sends them.
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < kSurface; ++y) setGround(x, y, true);
  }
  relight();
  build();
  TileRefresh refresh;
  WorldContext context = running.world->context();
  context.refresh = &refresh;
  running.world->setContext(context);
  for (int y = kSurface - 1; y >= 8; --y) {
    const BlockEdit dig = editForCell(map->cell(10, y), edit_kind::kRemoveLayer);
    ASSERT_FALSE(running.world->applyBlockEdit(dig, nullptr).wasRefused()) << "row " << y;
  }
  frame();
  const Rgba dug[2] = {cellPixel(10, 9), cellPixel(10, 8)};
  EXPECT_FALSE(isBlack(dug[0]));

  // The same world read again: every column's top and every cell's light found from scratch.
  layer->teardownWorldView();
  relight();
  build();
  frame();
  EXPECT_TRUE(near(dug[0], cellPixel(10, 9)))
      << "the sun falls on the shaft's back as soon as it is dug";
  EXPECT_TRUE(near(dug[1], cellPixel(10, 8)));
}

}  // namespace
}  // namespace worldgl
