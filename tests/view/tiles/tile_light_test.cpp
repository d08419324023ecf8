// The light arithmetic of the drawn cells: the flat tints of front and back, the corners of smooth
// lighting, solid faces a step behind the open air, the vertices of turned sprites, paint and the
// wrap seam's placement.

#include "view/tiles/tile_light.h"

#include <gtest/gtest.h>

#include <memory>

#include "content/art/block_atlas_layout.h"
#include "tests/world/world_test_blocks.h"
#include "world/cells/block_props.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using engine::Color3B;
using engine::Color4B;

MapBlock litCell(uint8_t sky, uint16_t light, uint16_t front = world_test::kAir) {
  MapBlock cell;
  cell.setFront(front, 0, 0);
  cell.setSkyLevel(sky);
  cell.blockLight = light;
  return cell;
}

class FlatLight : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    props = std::make_unique<BlockPropsTable>();
  }
  std::unique_ptr<BlockPropsTable> props;
};

TEST_F(FlatLight, TheFrontTakesTheBrighterOfSkyAndEachNibbleAndTheBackAThirdOfTheSky) {
  const struct {
    uint8_t sky;
    uint32_t darkness;
    uint16_t light;  // red, green, blue nibbles from the low end
    Color3B front;
    Color3B back;
  } cases[] = {
      {15, 5, 0x03C, {228, 208, 208}, {228, 114, 69}},  // sky 10: red 12 wins, green 3 and blue 0 take the sky
      {15, 0, 0x000, {255, 255, 255}, {85, 85, 85}},
      {4, 9, 0x000, {0, 0, 0}, {0, 0, 0}},             // darkness beyond the sky clamps at 0
      {0, 0, 0xF00, {0, 0, 255}, {0, 0, 255}},         // a lamp's light falls on the back in full
      {7, 20, 0x123, {114, 93, 66}, {114, 93, 66}},      // darkness above 15 counts as 15
  };
  for (const auto& c : cases) {
    const tile_light::LayerColours colours = tile_light::flatColours(*props, litCell(c.sky, c.light), c.darkness);
    EXPECT_EQ(colours.front, c.front) << "sky " << int(c.sky) << " darkness " << c.darkness << " light " << std::hex << c.light;
    EXPECT_EQ(colours.back, c.back) << "sky " << int(c.sky) << " darkness " << c.darkness << " light " << std::hex << c.light;
  }
}

TEST_F(FlatLight, ASolidFaceTakesTheBlockLightAStepDownUnlessItGivesLightItself) {
  MapBlock rock = litCell(15, 0x03C, world_test::kDirt);
  // Red 12 and green 3 a step down (10 and 1); the sky's 10 is the same on every face.
  EXPECT_EQ(tile_light::flatColours(*props, rock, 5).front, (Color3B{208, 208, 208}));
  rock.blockLight = 0x00F;
  EXPECT_EQ(tile_light::flatColours(*props, rock, 15).front, (Color3B{237, 0, 0}));
  rock.flags |= cell_flag::kEmitsLight;  // a glowing block shows its own light
  EXPECT_EQ(tile_light::flatColours(*props, rock, 15).front, (Color3B{255, 0, 0}));
  MapBlock grate = litCell(0, 0x00F, world_test::kGrate);  // opaque but lets the sky through
  EXPECT_EQ(tile_light::flatColours(*props, grate, 0).front, (Color3B{255, 0, 0}));
}

TEST(TileLight, PaintMultipliesTheLight) {
  EXPECT_EQ(tile_light::paintTimesLight({255, 255, 255}, {200, 30, 7}), (Color3B{200, 30, 7}));
  EXPECT_EQ(tile_light::paintTimesLight({204, 170, 0}, {255, 128, 200}), (Color3B{204, 85, 0}));
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

TEST_F(CornerTest, EachCornerTakesTheBrightestOfTheFourCellsThatShareItUpToALevelAboveTheCellsOwn) {
  map->cell(3, 2).blockLight = 0x002;        // the cell: red 2
  map->cell(2, 2).blockLight = 0x009;        // left: red 9
  map->cell(4, 3).blockLight = 0x050;        // upper right: green 5
  map->cell(3, 1).setSkyLevel(12);           // below: sky 12 (darkness 2 leaves 10)
  Color3B own;
  const tile_light::Corners corners = tile_light::cornerColours(*map, map->cell(3, 2), 2, own).front;
  // The cell keeps its own step: red 2 rises to 3 at most, the sky and green from 0 to 1.
  EXPECT_EQ(own, (Color3B{93, 0, 0}));
  EXPECT_EQ(corners[tile_light::kTopLeft], (Color4B{114, 0, 0, 255})) << "the left's red 9 held to 3";
  EXPECT_EQ(corners[tile_light::kTopRight], (Color4B{93, 66, 0, 255})) << "the upper right's green 5 held to 1";
  EXPECT_EQ(corners[tile_light::kBottomLeft], (Color4B{114, 66, 66, 255})) << "the sky 10 below held to 1";
  EXPECT_EQ(corners[tile_light::kBottomRight], (Color4B{93, 66, 66, 255}));
}

TEST_F(CornerTest, TheTopRowCountsWhatIsAboveAsBlackAndColumnZeroReadsTheLastColumn) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) map->cell(x, y).setSkyLevel(0);
  }
  map->cell(7, 5).blockLight = 0x00F;  // the last column, top row: left of (0, 5) across the seam
  Color3B own;
  const tile_light::Corners corners = tile_light::cornerColours(*map, map->cell(0, 5), 0, own).front;
  EXPECT_EQ(corners[tile_light::kTopLeft], (Color4B{66, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kBottomLeft], (Color4B{66, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kTopRight], (Color4B{0, 0, 0, 255}));
  EXPECT_EQ(corners[tile_light::kBottomRight], (Color4B{0, 0, 0, 255}));
}

TEST_F(CornerTest, ASolidFaceTakesItsCornersAStepDownAndTheOpenCellOnlyItsSolidNeighbours) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) map->cell(x, y).setSkyLevel(0);
  }
  map->cell(2, 2).blockLight = 0x00D;  // open, left of the rock (3, 2): red 13
  map->cell(3, 2).setFront(world_test::kDirt, 0, 0);
  map->cell(3, 2).blockLight = 0x00B;
  map->cell(4, 2).setFront(world_test::kDirt, 0, 0);
  map->cell(4, 2).blockLight = 0x005;
  Color3B own;
  const tile_light::LayerCorners rock = tile_light::cornerColours(*map, map->cell(3, 2), 0, own);
  EXPECT_EQ(own, (Color3B{198, 0, 0})) << "red 11 a step down";
  EXPECT_EQ(rock.front[tile_light::kTopLeft], (Color4B{208, 0, 0, 255})) << "the open cell's 13 a step down, held to 10";
  EXPECT_EQ(rock.front[tile_light::kTopRight], (Color4B{198, 0, 0, 255}));
  const tile_light::LayerCorners open = tile_light::cornerColours(*map, map->cell(2, 2), 0, own);
  EXPECT_EQ(open.front[tile_light::kTopLeft], (Color4B{237, 0, 0, 255}));
  EXPECT_EQ(open.front[tile_light::kTopRight], (Color4B{237, 0, 0, 255})) << "the rock's 11 counts 9 beside it";
  EXPECT_EQ(open.back[tile_light::kTopRight], (Color4B{237, 0, 0, 255})) << "the back takes the block light whole";
  map->cell(2, 2).setSkyLevel(14);
  map->cell(2, 3).setSkyLevel(15);
  const tile_light::LayerCorners sky = tile_light::cornerColours(*map, map->cell(2, 2), 0, own);
  EXPECT_EQ(sky.front[tile_light::kTopLeft], (Color4B{255, 255, 255, 255}));
  EXPECT_EQ(sky.back[tile_light::kTopLeft], (Color4B{237, 85, 85, 255})) << "a third of the sky's white";
}

TEST_F(CornerTest, ABackBlockOpenToTheSkyIsSunlitAndOneUnderARoofTakesAThirdOfTheSky) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) map->cell(x, y).setSkyLevel(15);
  }
  map->cell(2, 2).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // a wall left standing in the open
  map->cell(5, 2).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // the same wall under a roof
  map->cell(5, 4).setFront(world_test::kDirt, 0, 0);
  map->computeSurfaceHeights();
  const Color3B open = tile_light::flatColours(*map, map->cell(2, 2), 0).back;
  const Color3B roofed = tile_light::flatColours(*map, map->cell(5, 2), 0).back;
  EXPECT_EQ(open, (Color3B{237, 237, 237})) << "the sky a step behind the open air";
  EXPECT_EQ(roofed, (Color3B{85, 85, 85})) << "a third of the sky";
  Color3B own;
  EXPECT_EQ(tile_light::cornerColours(*map, map->cell(2, 2), 0, own).back[tile_light::kTopLeft], (Color4B{237, 237, 237, 255}));
  EXPECT_EQ(tile_light::cornerColours(*map, map->cell(5, 2), 0, own).back[tile_light::kTopLeft], (Color4B{85, 85, 85, 255}));
  // A drawn cave wall (no back block of its own) stays the dark rock behind, open sky or not.
  EXPECT_EQ(tile_light::flatColours(*map, map->cell(3, 2), 0).back, (Color3B{85, 85, 85}));
}

}  // namespace
