// The light arithmetic of the drawn cells: the flat tint, the corners of smooth lighting, the
// vertices of turned sprites, paint, the back layer's third and the wrap seam's placement.

#include "view/tiles/tile_light.h"

#include <gtest/gtest.h>

#include "content/art/block_atlas_layout.h"
#include "tests/world/world_test_blocks.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using engine::Color3B;
using engine::Color4B;

MapBlock litCell(uint8_t sky, uint16_t light) {
  MapBlock cell;
  cell.setSkyLevel(sky);
  cell.blockLight = light;
  return cell;
}

TEST(TileLight, FlatColourIsTheBrighterOfSkyLessDarknessAndEachNibbleTimes17) {
  const struct {
    uint8_t sky;
    uint32_t darkness;
    uint16_t light;  // red, green, blue nibbles from the low end
    Color3B expected;
  } cases[] = {
      {15, 5, 0x03C, {204, 170, 170}},  // sky 10: red 12 wins, green 3 and blue 0 take the sky
      {15, 0, 0x000, {255, 255, 255}},
      {4, 9, 0x000, {0, 0, 0}},         // darkness beyond the sky clamps at 0
      {0, 0, 0xF00, {0, 0, 255}},
      {7, 20, 0x123, {51, 34, 17}},     // darkness above 15 counts as 15
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tile_light::flatColour(litCell(c.sky, c.light), c.darkness), c.expected)
        << "sky " << int(c.sky) << " darkness " << c.darkness << " light " << std::hex << c.light;
  }
}

TEST(TileLight, PaintMultipliesTheLightAndTheBackLayerTakesAThird) {
  EXPECT_EQ(tile_light::paintTimesLight({255, 255, 255}, {200, 30, 7}), (Color3B{200, 30, 7}));
  EXPECT_EQ(tile_light::paintTimesLight({204, 170, 0}, {255, 128, 200}), (Color3B{204, 85, 0}));
  EXPECT_EQ(tile_light::backLayerThird({255, 100, 2}), (Color3B{85, 33, 0}));
}

TEST(TileLight, EachOrientationSendsTheCornersToTheVerticesOfItsTurn) {
  // Vertex order top-left, top-right, bottom-left, bottom-right.
  const std::array<uint8_t, 4> expected[8] = {{0, 1, 2, 3}, {1, 3, 0, 2}, {2, 3, 0, 1}, {0, 2, 1, 3},
                                              {1, 0, 3, 2}, {3, 1, 2, 0}, {3, 2, 1, 0}, {2, 0, 3, 1}};
  for (uint8_t code = 0; code < 8; ++code) EXPECT_EQ(tile_light::cornerForVertex(code), expected[code]) << int(code);
  // Every turn uses each corner once.
  for (uint8_t code = 0; code < 8; ++code) {
    int seen = 0;
    for (uint8_t k : tile_light::cornerForVertex(code)) seen |= 1 << k;
    EXPECT_EQ(seen, 15);
  }
}

TEST(TileLight, NearTheWrapSeamASpriteIsPlacedOnThePlayersSide) {
  constexpr int kColumns = 35, kWidth = 400;
  const struct {
    float x;
    int player;
    float expected;
  } cases[] = {
      {399 * 30.0f, 2, -30.0f},            // player at the left edge: the right edge comes left
      {2 * 30.0f, 398, (400 + 2) * 30.0f},  // player at the right edge: the left edge goes right
      {200 * 30.0f, 2, 200 * 30.0f},       // far from the seam nothing moves
      {399 * 30.0f, 200, 399 * 30.0f},     // the player is far from the seam
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(tile_light::seamPlacedX(c.x, kColumns, kWidth, c.player), c.expected);
}

TEST(TileLight, AtlasFramesOfBlocksAndLiquids) {
  EXPECT_EQ(art::blockSpriteRect(10, 2), engine::Rect(12 * 32 + 1, 1, 30, 30));
  EXPECT_EQ(art::blockSpriteRect(2064, 1), engine::Rect(1024 + 17 * 32 + 1, 1, 30, 30));
  EXPECT_EQ(art::blockSpriteRect(40, 0), engine::Rect(8 * 32 + 1, 33, 30, 30));
  // Water 1 and 3: column 2, row 1; lava still moving: column 2, row 4 whatever its amounts.
  EXPECT_EQ(art::liquidSpriteRect(art::LiquidKind::Water, 1, 3, false), engine::Rect(65, 33, 30, 30));
  EXPECT_EQ(art::liquidSpriteRect(art::LiquidKind::Lava, 4, 1, true), engine::Rect(193, 129, 30, 30));
  EXPECT_EQ(art::liquidSpriteRect(art::LiquidKind::Acid, 4, 4, false), engine::Rect(256 + 97, 129, 30, 30));
}

class CornerTest : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world = World::create(nullptr, WorldParams{}, 8, 6);
    map = &world->map();
  }
  std::unique_ptr<World> world;
  WorldMap* map = nullptr;
};

TEST_F(CornerTest, EachCornerTakesTheBrightestOfTheFourCellsThatShareIt) {
  map->cell(3, 2).blockLight = 0x002;        // the cell: red 2
  map->cell(2, 2).blockLight = 0x009;        // left: red 9
  map->cell(4, 3).blockLight = 0x050;        // upper right: green 5
  map->cell(3, 1).setSkyLevel(12);           // below: sky 12 (darkness 2 leaves 10)
  Color3B own;
  const tile_light::Corners corners = tile_light::cornerColours(*map, map->cell(3, 2), 2, own);
  EXPECT_EQ(own, (Color3B{34, 0, 0}));
  EXPECT_EQ(corners[tile_light::kTopLeft], (Color4B{153, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kTopRight], (Color4B{34, 85, 0, 255}));
  EXPECT_EQ(corners[tile_light::kBottomLeft], (Color4B{170, 170, 170, 255}));
  EXPECT_EQ(corners[tile_light::kBottomRight], (Color4B{170, 170, 170, 255}));
}

TEST_F(CornerTest, TheTopRowCountsWhatIsAboveAsBlackAndColumnZeroReadsTheLastColumn) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) map->cell(x, y).setSkyLevel(0);
  }
  map->cell(7, 5).blockLight = 0x00F;  // the last column, top row: left of (0, 5) across the seam
  Color3B own;
  const tile_light::Corners corners = tile_light::cornerColours(*map, map->cell(0, 5), 0, own);
  EXPECT_EQ(corners[tile_light::kTopLeft], (Color4B{255, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kBottomLeft], (Color4B{255, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kTopRight], (Color4B{0, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kBottomRight], (Color4B{0, 0, 0, 255}));
}

}  // namespace
