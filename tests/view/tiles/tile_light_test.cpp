// The light arithmetic of the drawn cells: the flat tints of front and back, the corners of smooth
// lighting, solid faces a step behind the open air, the vertices of turned sprites, paint and the
// wrap seam's placement.

#include "view/tiles/tile_light.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "content/art/block_atlas_layout.h"
#include "tests/world/world_test_blocks.h"
#include "view/tiles/seeping_memo.h"
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

TEST_F(FlatLight, TheFrontTakesTheBrighterOfSkyAndEachNibbleAndTheBackHalfOfTheSky) {
  const struct {
    uint8_t sky;
    uint32_t darkness;
    uint16_t light;  // red, green, blue nibbles from the low end
    Color3B front;
    Color3B back;
  } cases[] = {
      // Sky 10: red 12 wins, green 3 and blue 0 take the sky; on the back green shows in the hue red
      // 12 and green 3 had at a source three levels brighter (15 and 6), blue half the full sky's
      // 255 less the third of it the darkness takes.
      {15, 5, 0x03C, {228, 208, 208}, {228, 143, 84}},
      {15, 0, 0x000, {255, 255, 255}, {127, 127, 127}},
      {4, 9, 0x000, {0, 0, 0}, {0, 0, 0}},             // darkness beyond the sky clamps at 0
      {0, 0, 0xF00, {0, 0, 255}, {0, 0, 255}},         // a lamp's light falls on the back in full
      // Darkness above 15 counts as 15; the light's 3, 2, 1 draw at 3's shade in their source's hue.
      {7, 20, 0x123, {110, 106, 102}, {110, 106, 102}},
  };
  for (const auto& c : cases) {
    const tile_light::LayerColours colours = tile_light::flatColours(*props, litCell(c.sky, c.light), c.darkness);
    EXPECT_EQ(colours.front, c.front) << "sky " << int(c.sky) << " darkness " << c.darkness << " light " << std::hex << c.light;
    EXPECT_EQ(colours.back, c.back) << "sky " << int(c.sky) << " darkness " << c.darkness << " light " << std::hex << c.light;
  }
}

TEST_F(FlatLight, ASolidFaceTakesTheBlockLightAStepDownUnlessItGivesLightItself) {
  MapBlock rock = litCell(15, 0x03C, world_test::kDirt);
  // Red 12 and green 3 a step (four levels) down, to 8 and 0; the sky's 10 is the same on every face.
  EXPECT_EQ(tile_light::flatColours(*props, rock, 5).front, (Color3B{208, 208, 208}));
  rock.blockLight = 0x00F;
  EXPECT_EQ(tile_light::flatColours(*props, rock, 15).front, (Color3B{218, 0, 0}));
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
  // The cell keeps its own step: red 2 (76) rises to 3 (110) at most, the sky and green from 0 to
  // 1 (38), each drawn a third of the way there.
  EXPECT_EQ(own, (Color3B{76, 0, 0}));
  EXPECT_EQ(corners[tile_light::kTopLeft], (Color4B{87, 0, 0, 255})) << "the left's red 9 held to 3";
  EXPECT_EQ(corners[tile_light::kTopRight], (Color4B{76, 24, 0, 255}))
      << "the upper right's green 5 held to 1, in the hue of red 2 and green 1 at their source";
  EXPECT_EQ(corners[tile_light::kBottomLeft], (Color4B{87, 12, 12, 255})) << "the sky 10 below held to 1";
  EXPECT_EQ(corners[tile_light::kBottomRight], (Color4B{76, 12, 12, 255}));
}

TEST_F(CornerTest, TheTopRowCountsWhatIsAboveAsBlackAndColumnZeroReadsTheLastColumn) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) map->cell(x, y).setSkyLevel(0);
  }
  map->cell(7, 5).blockLight = 0x00F;  // the last column, top row: left of (0, 5) across the seam
  Color3B own;
  const tile_light::Corners corners = tile_light::cornerColours(*map, map->cell(0, 5), 0, own).front;
  EXPECT_EQ(corners[tile_light::kTopLeft], (Color4B{12, 0, 0, 255})) << "a third of the way to red 1";
  EXPECT_EQ(corners[tile_light::kBottomLeft], (Color4B{12, 0, 0, 255}));
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
  EXPECT_EQ(own, (Color3B{174, 0, 0})) << "red 11 a step down";
  EXPECT_EQ(rock.front[tile_light::kTopLeft], (Color4B{178, 0, 0, 255}))
      << "the open cell's 13 a step down, held to 8, a third of the way from 7";
  EXPECT_EQ(rock.front[tile_light::kTopRight], (Color4B{174, 0, 0, 255}));
  const tile_light::LayerCorners open = tile_light::cornerColours(*map, map->cell(2, 2), 0, own);
  EXPECT_EQ(open.front[tile_light::kTopLeft], (Color4B{237, 0, 0, 255}));
  EXPECT_EQ(open.front[tile_light::kTopRight], (Color4B{237, 0, 0, 255})) << "the rock's 11 counts 7 beside it";
  EXPECT_EQ(open.back[tile_light::kTopRight], (Color4B{237, 0, 0, 255})) << "the back takes the block light whole";
  map->cell(2, 2).setSkyLevel(14);
  map->cell(2, 3).setSkyLevel(15);
  const tile_light::LayerCorners sky = tile_light::cornerColours(*map, map->cell(2, 2), 0, own);
  EXPECT_EQ(sky.front[tile_light::kTopLeft], (Color4B{249, 249, 249, 255})) << "a third of the way from 14 to 15";
  EXPECT_EQ(sky.back[tile_light::kTopLeft], (Color4B{237, 124, 124, 255})) << "half of the sky's white";
}

TEST_F(CornerTest, ABackBlockTakesHalfOfTheSkyInTheOpenAndUnderARoof) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) map->cell(x, y).setSkyLevel(15);
  }
  map->cell(2, 2).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // a wall left standing in the open
  map->cell(5, 2).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // the same wall under a roof
  map->cell(5, 4).setFront(world_test::kDirt, 0, 0);
  map->computeSurfaceHeights();
  const Color3B open = tile_light::flatColours(*map, map->cell(2, 2), 0).back;
  const Color3B roofed = tile_light::flatColours(*map, map->cell(5, 2), 0).back;
  EXPECT_EQ(open, (Color3B{127, 127, 127})) << "half of the sky, set back from the faces in front";
  EXPECT_EQ(roofed, open) << "the light map, not the roof, says how much daylight gets in";
  Color3B own;
  EXPECT_EQ(tile_light::cornerColours(*map, map->cell(2, 2), 0, own).back[tile_light::kTopLeft], (Color4B{127, 127, 127, 255}));
  // As the night comes the wall in the open darkens as the sky's light on it does, by the part of
  // the sky's 15 levels the darkness takes: 11 leave 4 fifteenths, the whole night's 12 a fifth.
  EXPECT_EQ(tile_light::flatColours(*map, map->cell(2, 2), 11).back, (Color3B{33, 33, 33}));
  EXPECT_EQ(tile_light::flatColours(*map, map->cell(2, 2), 12).back, (Color3B{25, 25, 25}));
  EXPECT_EQ(tile_light::cornerColours(*map, map->cell(2, 2), 12, own).back[tile_light::kTopLeft], (Color4B{25, 25, 25, 255}));
  EXPECT_EQ(tile_light::cornerColours(*map, map->cell(5, 2), 0, own).back[tile_light::kTopLeft], (Color4B{127, 127, 127, 255}));
  // A drawn cave wall (no back block of its own) is lit as a back block is.
  EXPECT_EQ(tile_light::flatColours(*map, map->cell(3, 2), 0).back, (Color3B{127, 127, 127}));
}

// The hue of a colour in degrees (0-360).
double hueOf(Color3B c) {
  const double r = c.r, g = c.g, b = c.b;
  const double top = std::max({r, g, b}), low = std::min({r, g, b});
  if (top == low) return 0.0;
  double h = top == r ? std::fmod((g - b) / (top - low), 6.0) : top == g ? (b - r) / (top - low) + 2.0 : (r - g) / (top - low) + 4.0;
  h *= 60.0;
  return h < 0.0 ? h + 360.0 : h;
}

TEST_F(CornerTest, ATorchsLightKeepsItsHueAsItDarkensAcrossTheCells) {
  // A torch's warm light at column 0 and what the light map leaves of it along the row: a level
  // less per cell in every channel, blue running out first, then green.
  const int source[3] = {15, 12, 9};
  for (int x = 0; x < 8; ++x) {
    uint16_t light = 0;
    for (int c = 0; c < 3; ++c) light = static_cast<uint16_t>(light | std::max(0, source[c] - 2 * x) << (4 * c));
    map->cell(x, 2).blockLight = light;
    map->cell(x, 2).setSkyLevel(0);
  }
  const double torchHue = hueOf(tile_light::flatColours(*map, map->cell(0, 2), 0).front);
  int previous = 256;
  for (int x = 1; x < 8; ++x) {
    const Color3B drawn = tile_light::flatColours(*map, map->cell(x, 2), 0).front;
    EXPECT_LT(drawn.r, previous) << "darker a cell further, at " << x;
    previous = drawn.r;
    EXPECT_NEAR(hueOf(drawn), torchHue, 6.0) << "at " << x << ": " << int(drawn.r) << " " << int(drawn.g) << " " << int(drawn.b);
    EXPECT_GT(drawn.g, 0) << "not a saturated red, at " << x;
    Color3B corner;
    tile_light::cornerColours(*map, map->cell(x, 2), 0, corner);
    EXPECT_EQ(corner, drawn);
  }
  // A dark cell beside the light's last lit cell takes it at its corners in the torch's hue (its
  // small values round a few degrees further off).
  Color3B darkOwn;
  const Color4B edge = tile_light::cornerColours(*map, map->cell(7, 3), 0, darkOwn).front[tile_light::kBottomLeft];
  EXPECT_GT(edge.r, 0) << "the corner shows the light";
  EXPECT_NEAR(hueOf(Color3B{edge.r, edge.g, edge.b}), torchHue, 10.0) << int(edge.r) << " " << int(edge.g) << " " << int(edge.b);
  // A pure red lamp's light stays pure red as it fades.
  map->cell(3, 4).blockLight = 0x00F;
  map->cell(4, 4).blockLight = 0x00B;
  EXPECT_EQ(tile_light::flatColours(*map, map->cell(4, 4), 0).front, (Color3B{218, 0, 0}));
}

// A pass keeps each cell's hue in its memo, found once: the corners drawn with the memo are those
// each cell's own search gives, for cells lit by two lights of other hues meeting between them.
TEST_F(CornerTest, AMemoOfThePassKeepsEachCellsHueAsItsOwnSearchFindsIt) {
  const int warm[3] = {15, 11, 6};
  const int cold[3] = {4, 9, 15};
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 6; ++y) {
      uint16_t light = 0;
      for (int c = 0; c < 3; ++c) {
        const int fromWarm = warm[c] - 2 * (x + std::abs(y - 2));
        const int fromCold = cold[c] - 2 * (7 - x + std::abs(y - 3));
        light = static_cast<uint16_t>(light | std::max({0, fromWarm, fromCold}) << (4 * c));
      }
      map->cell(x, y).blockLight = light;
      map->cell(x, y).setSkyLevel(static_cast<uint8_t>(y == 5 ? 15 : 0));
    }
  }
  SeepingMemo memo(8, 6);
  size_t hued = 0;
  for (int pass = 0; pass < 2; ++pass) {  // the second reads every hue from the memo
    for (int x = 0; x < 8; ++x) {
      for (int y = 0; y < 6; ++y) {
        Color3B alone, inPass;
        const tile_light::LayerCorners expected = tile_light::cornerColours(*map, map->cell(x, y), 0, alone);
        const tile_light::LayerCorners got = tile_light::cornerColours(*map, map->cell(x, y), 0, inPass, &memo);
        EXPECT_EQ(got.front, expected.front) << x << "," << y << " pass " << pass;
        EXPECT_EQ(got.back, expected.back) << x << "," << y << " pass " << pass;
        EXPECT_EQ(inPass, alone);
        light_hue::Levels hue{};
        hued += memo.findHue(map->cell(x, y), hue) ? 1 : 0;
      }
    }
  }
  EXPECT_EQ(hued, 2u * 8 * 6) << "every lit cell's hue is kept";
}

}  // namespace
