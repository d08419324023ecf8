#include "saves/world/plant_records.h"

#include <gtest/gtest.h>

#include "tests/world/growth_world.h"
#include "world/trees/leaf_decay.h"

namespace {

using namespace world_test;

constexpr uint16_t kSapling = 2546;      // row 150: a tree by growth row 25
constexpr uint16_t kWheatSprout = 2340;  // row 11
constexpr uint16_t kFlowerSeed = 2208;   // row 121
constexpr uint16_t kPumpkinPlant = 2478;

class PlantRecordsTest : public GrowthWorldTest {
 protected:
  void SetUp() override {
    GrowthWorldTest::SetUp();
    for (uint16_t id : {uint16_t{2539}, uint16_t{2540}, uint16_t{2542}}) {
      defineBlock(id, {.flags = bits({8}), .transparency = 1});
    }
    defineBlock(2543, {.flags = bits({9}), .transparency = 1});
    for (uint16_t id : {kSapling, kWheatSprout, kFlowerSeed}) defineBlock(id, {.transparency = 1});
    defineBlock(2338, {.transparency = 1, .variants = 2});
    defineBlock(kPumpkinPlant, {.flags = bits({30}), .transparency = 1});
    makeWorld();
  }
};

TEST_F(PlantRecordsTest, TheRegistryComesBackAsItWasSaved) {
  plant(20, 3, kSapling);
  for (int i = 0; i < 4; ++i) plants().growPlantAt(rules, at(20, 3));  // a trunk with live branches
  plant(5, 3, kWheatSprout);
  plants().growPlantAt(rules, at(5, 3));  // one step into its middle state
  plant(8, 3, kFlowerSeed, 0x1234);
  put(11, 3, kPumpkinPlant);
  plants().restoreFruitCell(at(11, 3));
  world->leafDecay().restore(at(30, 9), MapBlock::kFront);
  const PlantRecords saved = plantRecordsOf(*world);
  ASSERT_EQ(saved.entries.size(), 3u);
  ASSERT_TRUE(saved.entries[0].process.has_value());
  EXPECT_EQ(saved.entries[2].extra, 0x1234u);
  EXPECT_EQ(saved.plantCells, (std::vector<CellPos>{{11, 3}}));
  EXPECT_EQ(saved.secondCells, (std::vector<CellPos>{{30, 9}}));

  makeWorld();
  put(11, 3, kPumpkinPlant);  // the map comes back from its own sections
  restorePlantRecords(*world, saved);
  EXPECT_EQ(plantRecordsOf(*world), saved);
}

}  // namespace
