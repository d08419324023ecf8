#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "content/planets/planet_def.h"
#include "tools/world_tool/world_picture.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace {

using world_tool::parseArgs;

TEST(WorldToolArgs, ParsesTheGenerateCommandAndRefusesTheRest) {
  const struct { std::vector<std::string> args; bool ok; } cases[] = {
      {{"generate", "--planet", "terra", "--size", "4", "--seed", "12", "--png", "a.png"}, true},
      {{"generate", "--seed", "1", "--size", "0", "--planet", "Xeno"}, true},
      {{"generate", "--planet", "terra", "--size", "5", "--seed", "1"}, false},
      {{"generate", "--planet", "terra", "--size", "x", "--seed", "1"}, false},
      {{"generate", "--planet", "terra", "--size", "1"}, false},
      {{"generate", "--planet", "terra", "--size", "1", "--seed"}, false},
      {{"generate", "--planet", "terra", "--size", "1", "--seed", "-3"}, false},
      {{"generate", "--planet", "terra", "--size", "1", "--seed", "1", "--colour", "red"}, false},
      {{"generate", "--planet", "terra", "--size", "1", "--seed", "1", "--save", "w.dat"}, true},
      {{"character", "Ada", "--out", "Ada.dat"}, true},
      {{"character", "Ada"}, false}, {{"character", "--out", "Ada.dat"}, false},
      {{"load", "World1.dat"}, true}, {{"load", "World1.dat", "--png", "w.png"}, true},
      {{"load", "World1.dat", "--save", "x.dat"}, false}, {{"load", "--planet", "terra"}, false},
      {{"draw"}, false}, {{}, false},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto parsed = parseArgs(c.args, error);
    EXPECT_EQ(parsed.has_value(), c.ok) << (c.args.empty() ? "" : c.args.back());
    EXPECT_EQ(error.empty(), c.ok) << error;
  }
  std::string error;
  const auto parsed = parseArgs(cases[0].args, error);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->sizeIndex, 4);
  EXPECT_EQ(parsed->seed, 12u);
  EXPECT_EQ(parsed->pngPath, "a.png");
}

class AuthoredPlanets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    loaded_ = world_tool::loadContent(world_tool::defaultDataFile(), error);
    ASSERT_TRUE(loaded_) << error;
  }
  static bool loaded_;
};
bool AuthoredPlanets::loaded_ = false;

TEST_F(AuthoredPlanets, NamesAreFoundInAnyCase) {
  ASSERT_FALSE(planetDefs().empty());
  const std::string name = planetDefs().front()->name;
  std::string upper = name, lower = name;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(world_tool::findPlanetByName(upper), planetDefs().front().get());
  EXPECT_EQ(world_tool::findPlanetByName(lower), planetDefs().front().get());
  EXPECT_EQ(world_tool::findPlanetByName("nowhere"), nullptr);
}

// Every planet at the smallest size: no bounded search gives up, the spawn stands on the surface,
// and the planet's ores and liquids are in the world.
TEST_F(AuthoredPlanets, EveryPlanetGeneratesWithItsOresAndLiquids) {
  ASSERT_EQ(planetDefs().size(), 12u);
  for (const auto& planet : planetDefs()) {
    SCOPED_TRACE(planet->name);
    const world_tool::GeneratedWorld world = world_tool::generatePlanetWorld(*planet, 0, 5, nullptr);
    const WorldMap& map = world.world->map();
    for (size_t k = 0; k < world.counts.gaveUp.size(); ++k) EXPECT_EQ(world.counts.gaveUp[k], 0u) << "search kind " << k;
    const MapBlock& spawn = map.cell(world.spawn.column, world.spawn.row);
    const MapBlock& below = map.cell(world.spawn.column, world.spawn.row - 1);
    EXPECT_NE(map.props()[spawn.frontId()].transparency, 0) << "the dressing may plant there, never wall it in";
    EXPECT_EQ(map.props()[below.frontId()].transparency, 0) << "the spawn stands on a full block";
    EXPECT_LE(world.spawn.row, map.surfaceLine(world.spawn.column)) << "on the surface, not below it";
    EXPECT_GE(world.spawn.row + 4, map.surfaceLine(world.spawn.column));

    std::set<uint16_t> blocks;
    std::set<int> liquids;
    for (size_t i = 0; i < map.cellCount(); ++i) {
      const MapBlock& c = map.cells()[i];
      blocks.insert(c.frontId());
      blocks.insert(c.backId());
      for (MapDeco d : c.decos) blocks.insert(map_deco::id(d));
      if ((c.liquid & 0x3F) != 0) liquids.insert(static_cast<int>(c.liquidKind()));
    }
    for (const VeinRule& vein : planet->veinRules) EXPECT_TRUE(blocks.count(vein.block)) << "ore " << vein.block;
    for (const PoolRule& pool : planet->poolRules) EXPECT_TRUE(liquids.count(pool.liquidKind)) << "pool " << int(pool.liquidKind);
    if (planet->parameters.liquidLevel >= 0) {
      EXPECT_TRUE(liquids.count(planet->parameters.liquidKind)) << "the sea";
    }
  }
}

TEST_F(AuthoredPlanets, PictureTellsLiquidsLayersAndLightApart) {
  std::set<uint32_t> colours;
  for (uint16_t id = 1; id < 400; ++id) colours.insert(world_tool::blockColour(id));
  EXPECT_GT(colours.size(), 390u) << "ids keep their own colours";

  WorldParams params;
  params.planetId = planetDefs().front()->id;
  WorldMap map(nullptr, params);
  auto rgb = [](uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  const struct {
    uint8_t liquid;
    int strongest;  // 16 red, 8 green, 0 blue
  } liquids[] = {{0x64, 0}, {0xA4, 16}, {0xE4, 8}};
  for (const auto& l : liquids) {
    MapBlock& c = map.cell(3, 3);
    c.liquid = l.liquid;
    c.setSkyLevel(15);
    const uint32_t colour = world_tool::cellColour(map, c);
    for (int shift : {0, 8, 16}) {
      if (shift != l.strongest) {
        EXPECT_GT(rgb(colour, l.strongest), rgb(colour, shift)) << std::hex << int(l.liquid);
      }
    }
  }
  MapBlock& wall = map.cell(5, 5);
  wall.setLayer(1248, 0, MapBlock::kBack);
  wall.setSkyLevel(15);
  MapBlock& block = map.cell(6, 5);
  block.setLayer(1248, 0, MapBlock::kFront);
  block.setSkyLevel(15);
  EXPECT_LT(rgb(world_tool::cellColour(map, wall), 8), rgb(world_tool::cellColour(map, block), 8)) << "back layer darker";
  block.setSkyLevel(0);
  EXPECT_LT(rgb(world_tool::cellColour(map, block), 8), rgb(world_tool::cellColour(map, wall), 8) * 2) << "unlit dimmer";
}

}  // namespace
