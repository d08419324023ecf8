#include <gtest/gtest.h>

#include <tuple>

#include "tests/world/growth_world.h"
#include "world/plants/plant_genes.h"

namespace {

using namespace world_test;

uint16_t genes(uint16_t stem, uint16_t flower, uint16_t colour) {
  return static_cast<uint16_t>(stem | flower << 5 | colour << 10);
}

TEST(PlantGenesTest, DifferingBitsAreSetWithThreeFairChances) {
  engine::randomSeed(5);
  std::array<int, 16> setCount{};
  constexpr int kChildren = 4000;
  for (int i = 0; i < kChildren; ++i) {
    const uint16_t child = mixPlantGenes(0x7FFF, 0x0000);
    for (int bit = 0; bit < 16; ++bit) setCount[static_cast<size_t>(bit)] += (child >> bit) & 1;
  }
  for (int bit = 0; bit < 15; ++bit) {
    // 7 in 8, a little less for the mutations
    EXPECT_GT(setCount[static_cast<size_t>(bit)], kChildren * 82 / 100) << bit;
    EXPECT_LT(setCount[static_cast<size_t>(bit)], kChildren * 91 / 100) << bit;
  }
  EXPECT_EQ(setCount[15], 0) << "the child keeps bits 0-14";
}

class PlantGenesCellTest : public GrowthWorldTest {
 protected:
  void SetUp() override {
    GrowthWorldTest::SetUp();
    defineBlock(2208, {.flags = bits({49}), .transparency = 1});
    for (uint16_t stem = 2272; stem <= 2303; ++stem) defineBlock(stem, {.flags = bits({49}), .transparency = 1});
    makeWorld();
  }
};

TEST_F(PlantGenesCellTest, AGrownFlowerShowsItsWordInItsBlocks) {
  const uint16_t gene = genes(13, 26, 9);  // Barbed Lotus, Light Blue
  MapBlock& cell = at(4, 4);
  cell.setLayer(2286, 0, MapBlock::kFront);
  cell.decos[1] = map_deco::make(2251, 0, MapBlock::kBack);  // a flower counts on either side
  cell.decos[2] = map_deco::make(4056, 0, MapBlock::kFront);
  EXPECT_EQ(plantGenesOfCell(0xC000, cell), gene) << "a field read clears bits 14-15";
  cell.decos[2] = map_deco::make(4056, 0, MapBlock::kBack);
  EXPECT_EQ(plantGenesOfCell(0, cell), genes(13, 26, 0)) << "a colour counts on the front side only";
  EXPECT_EQ(plantGenesOfCell(0xC123, at(5, 5)), 0xC123) << "nothing to read: the word stands";
}

TEST_F(PlantGenesCellTest, APlantedSeedGrowsTheFlowerOfItsWordAndBreaksIntoSeedsOfIt) {
  const uint16_t gene = genes(2, 22, 4);
  plant(6, 4, 2208, gene);
  ASSERT_EQ(plants().geneAt(at(6, 4)), gene);
  EXPECT_EQ(growToTheEnd(6, 4), 1);
  EXPECT_EQ(at(6, 4).frontId(), 2283);
  EXPECT_TRUE(at(6, 4).hasDeco(2242, MapBlock::kFront));
  EXPECT_TRUE(at(6, 4).hasDeco(4027, MapBlock::kFront));

  plant(8, 4, 2208, genes(7, 7, 7));  // left ungrown: it breaks into seeds only
  const std::tuple<int, uint16_t, int> flowers[] = {{6, gene, 3}, {8, genes(7, 7, 7), 0}};
  for (const auto& [x, word, dyesAtMost] : flowers) {
    rules.drops.clear();
    breakFront(x, 4);
    int seeds = 0, dyes = 0;
    for (const auto& drop : rules.drops) {
      if (drop.id == kSeedItem) {
        ++seeds;
        EXPECT_EQ(drop.word, word | kSeedFromPlantMark);
      } else {
        ++dyes;
        EXPECT_EQ(drop.id, 3781) << "the red colour's item";
      }
    }
    EXPECT_GE(seeds, 1) << x;
    EXPECT_LE(seeds, 3) << x;
    EXPECT_EQ(dyes > 0, dyesAtMost > 0) << x;
    EXPECT_LE(dyes, dyesAtMost) << x;
  }
}

}  // namespace
