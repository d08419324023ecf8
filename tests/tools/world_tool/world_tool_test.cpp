#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
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
      {{"generate", "--planet", "terra", "--size", "5", "--seed", "1"}, false},
      {{"generate", "--planet", "terra", "--size", "1"}, false},
      {{"generate", "--planet", "terra", "--size", "1", "--seed", "-3"}, false},
      {{"generate", "--planet", "terra", "--size", "1", "--seed", "1", "--colour", "red"}, false},
      {{"character", "Ada", "--out", "Ada.dat"}, true},
      {{"load", "World1.dat", "--save", "x.dat"}, false}, {{}, false},
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
}

TEST(WorldToolArgs, APlayShotTakesAViewSizeOfTwoWholeNumbersInRange) {
  const std::vector<std::string> play = {"play", "--planet", "terra", "--size", "0", "--seed", "1", "--script", "s"};
  const struct {
    std::vector<std::string> extra;
    bool ok;
    int width, height;
  } cases[] = {
      {{"--shot", "v.png"}, true, 960, 540},
      {{"--shot", "v.png", "--view", "640x360"}, true, 640, 360},
      {{"--shot", "v.png", "--view", "16x8192"}, true, 16, 8192},
      {{"--shot", "v.png", "--view", "640"}, false, 0, 0},
      {{"--shot", "v.png", "--view", "640x"}, false, 0, 0},
      {{"--shot", "v.png", "--view", "15x300"}, false, 0, 0},
      {{"--shot", "v.png", "--view", "640x9000"}, false, 0, 0},
      {{"--shot", "v.png", "--view", "-640x360"}, false, 0, 0},
      {{"--shot", "v.png", "--view", "640x360x2"}, false, 0, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = play;
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    std::string error;
    const auto parsed = parseArgs(args, error);
    ASSERT_EQ(parsed.has_value(), c.ok) << args.back() << " " << error;
    if (!c.ok) continue;
    EXPECT_EQ(parsed->shotPath, "v.png");
    EXPECT_EQ(parsed->viewWidth, c.width);
    EXPECT_EQ(parsed->viewHeight, c.height);
  }
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
    const PlanetParameters& params = planet->parameters;
    EXPECT_TRUE(params.liquidLevel < 0 || liquids.count(params.liquidKind)) << "the sea";
  }
}

// FNV-1a over every byte of the cells (24 packed bytes each) and the surface line: two worlds with
// the same checksum are the same world, cell for cell, whatever a save keeps of them.
uint64_t worldChecksum(const WorldMap& map) {
  uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  };
  mix(map.cells(), map.cellCount() * sizeof(MapBlock));
  mix(map.surfaceLines().data(), map.surfaceLines().size() * sizeof(uint16_t));
  return hash;
}

// Each planet at the smallest size and one seed is the same world, cell for cell, as the generator
// has always made it: a faster noise or pass must not move a single block.
TEST_F(AuthoredPlanets, EveryPlanetKeepsItsWorldCellForCell) {
  const struct { const char* planet; uint64_t checksum; } worlds[] = {
      {"Terra", 0x322932b8963f8aa6ull}, {"Seth", 0xa52b4d3f1702e099ull}, {"Alba", 0xbf3d4e447f053bd1ull},
      {"Xeno", 0x057da243c3531158ull}, {"Magmar", 0xb00299b99fa29e8bull}, {"Cryo", 0xa858b67ea75f458bull},
      {"Yuca", 0xc3b1a7d068d4c0bdull}, {"Lilith", 0xfe660743769b146cull}, {"Thetis", 0x3ea97906fd6c8c84ull},
      {"Mykon", 0x0ba3ec8c945a6a92ull}, {"Umbra", 0xf0f0896adee7c797ull}, {"Nadir", 0x654e521cd1d992a6ull},
  };
  for (const auto& w : worlds) {
    const PlanetDef* planet = world_tool::findPlanetByName(w.planet);
    ASSERT_NE(planet, nullptr) << w.planet;
    const world_tool::GeneratedWorld world = world_tool::generatePlanetWorld(*planet, 0, 7, nullptr);
    EXPECT_EQ(worldChecksum(world.world->map()), w.checksum) << w.planet;
  }
}

}  // namespace
