// The seas of the shipped planets, generated from the build's own content: once a new world has
// settled, no liquid stands in the air. Every cell holding liquid has ground or liquid under it and
// on both sides, so the sea lies in its basin instead of pouring into the caves below in columns of
// liquid with open air between them, which the liquid steps would never change.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "world/cells/map_block.h"
#include "world/generator/world_generator.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

// The first liquid cell with an open dry cell under it or beside it, as "x,y", or an empty text.
std::string liquidInTheAir(WorldMap& map) {
  const LiquidSimulator& liquids = map.liquids();
  for (int32_t x = 0; x < map.width(); ++x) {
    for (int32_t y = 0; y < map.height(); ++y) {
      const MapBlock& c = map.cell(x, y);
      if (!c.holdsOrSourcesLiquid()) continue;
      for (const MapBlock* n : {map.cellAt(x, y - 1), map.cellAt(map.wrapX(x - 1), y), map.cellAt(map.wrapX(x + 1), y)}) {
        if (liquids.isOpenForLiquid(n) && !n->holdsOrSourcesLiquid()) {
          return std::to_string(x) + "," + std::to_string(y) + " beside " + std::to_string(n->x) + "," +
                 std::to_string(n->y);
        }
      }
    }
  }
  return {};
}

class GeneratedLiquidRestsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadContentDatabase(std::string(RUBBLE_DATA_DIR) + "/data.dat");
    ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
  }
  void TearDown() override { resetContentDatabase(); }
};

TEST_F(GeneratedLiquidRestsTest, NoSeaStandsInColumnsOverTheCavesBelowIt) {
  int seas = 0;
  for (const auto& planet : planetDefs()) {
    if (planet->parameters.liquidLevel < 0) continue;
    ++seas;
    for (uint8_t size = 0; size <= 1; ++size) {
      for (unsigned seed = 1; seed <= 4; ++seed) {
        WorldParams params;
        params.planetId = planet->id;
        params.sizeIndex = size;
        engine::randomSeed(seed);
        std::unique_ptr<World> world = World::create(nullptr, params);
        world->generate(nullptr);
        const std::string fault = liquidInTheAir(world->map());
        EXPECT_TRUE(fault.empty()) << planet->name << " size " << int{size} << " seed " << seed << ": liquid at "
                                   << fault;
      }
    }
  }
  EXPECT_GE(seas, 2) << "Xeno's acid and Thetis's water";
}

}  // namespace
