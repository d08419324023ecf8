#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/world/growth_world.h"
#include "content/tables/plant_table.h"
#include "world/trees/growth_process.h"
#include "world/trees/growth_writer.h"

namespace {

using namespace world_test;

constexpr uint16_t kSapling = 2546;  // row 150: a tree by growth row 25
constexpr uint16_t kLeaf = 2543;
constexpr uint16_t kPumpkinPlant = 2478;  // bears fruit

class PlantRestoreTest : public GrowthWorldTest {
 protected:
  void SetUp() override {
    GrowthWorldTest::SetUp();
    for (uint16_t id : {uint16_t{2539}, uint16_t{2540}, uint16_t{2542}}) {
      defineBlock(id, {.flags = bits({8}), .transparency = 1});
    }
    defineBlock(kLeaf, {.flags = bits({9}), .transparency = 1, .variants = 3});
    defineBlock(kSapling, {.transparency = 1});
    defineBlock(kPumpkinPlant, {.flags = bits({30}), .transparency = 1});
    makeWorld();
  }
  std::vector<uint16_t> treeArea() {
    std::vector<uint16_t> words;
    for (int x = 14; x <= 26; ++x) {
      for (int y = 3; y < kHeight; ++y) words.push_back(at(x, y).front);
    }
    return words;
  }
};

TEST_F(PlantRestoreTest, ATreeBroughtBackMidGrowthGrowsOnAsIfNeverSaved) {
  engine::randomSeed(21);
  plant(20, 3, kSapling);
  growToTheEnd(20, 3);
  const std::vector<uint16_t> uninterrupted = treeArea();

  makeWorld();
  engine::randomSeed(21);
  plant(20, 3, kSapling);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(plants().growPlantAt(rules, at(20, 3)));
  const PlantEntry& saved = plants().plants().front();
  ASSERT_NE(saved.process, nullptr);
  const GrowthState state = saved.process->state();
  const std::vector<BranchEntry> branches = saved.process->branches();
  const uint32_t row = saved.row->row;
  plants().removePlantAt(rules, 20, 3);
  ASSERT_EQ(plants().plantCount(), 0u);

  ASSERT_TRUE(plants().restorePlant(row, PlantEntry::kTree, 20, 3, 0,
                                    std::make_unique<GrowthProcess>(20, 3, state, branches)));
  growToTheEnd(20, 3);
  EXPECT_EQ(treeArea(), uninterrupted);
}

TEST_F(PlantRestoreTest, RestoringRefusesWhatTheRegistryCouldNotHold) {
  EXPECT_FALSE(plants().restorePlant(151, PlantEntry::kPlain, 1, 3, 1, nullptr)) << "no such row";
  EXPECT_FALSE(plants().restorePlant(150, PlantEntry::kTree, 1, 3, 0, nullptr)) << "no process";
  EXPECT_FALSE(plants().restorePlant(11, 7, 1, 3, 0, nullptr)) << "no such kind";
  EXPECT_TRUE(plants().restorePlant(11, PlantEntry::kPlain, 1, 3, 2, nullptr));
  EXPECT_EQ(plants().plantCount(), 1u);
  put(5, 3, kPumpkinPlant);
  plants().restoreFruitCell(at(5, 3));
  plants().restoreFruitCell(at(6, 3));  // its block bears no fruit
  ASSERT_EQ(plants().fruitCells(), std::vector<const MapBlock*>{&at(5, 3)});
  EXPECT_FALSE(plants().takeFruit(rules, at(5, 3), kNoEntity)) << "fruit cells come back empty";
}

TEST_F(PlantRestoreTest, AStageCountPastTheGrowthRowEndsTheStages) {
  GrowthProcess process(20, 3, GrowthState{25, 200, 9, 1, 1, 20, 5}, {});
  EXPECT_EQ(process.state().stagesTaken, 4) << "growth row 25 has four stages";
  EXPECT_EQ(process.state().rowsLeft, 9) << "still inside its last stage";
  MapGrowthWriter out(world->map());
  EXPECT_FALSE(process.step(world->map(), out));
}


}  // namespace
