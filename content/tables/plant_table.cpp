#include "content/tables/plant_table.h"

#include "content/items/block_filter.h"

namespace {

namespace pg = plant_growth;

PlantRow grows(uint32_t row, uint32_t item, uint32_t growth, float chance, uint16_t b0, uint16_t b1, uint16_t b2 = 0,
               uint16_t b3 = 0) {
  PlantRow out;
  out.item = item;
  out.row = row;
  out.growth = growth;
  out.chance = chance;
  out.block0 = b0;
  out.block1 = b1;
  out.block2 = b2;
  out.block3 = b3;
  out.soil = FILTER_ANY_BLOCK;
  return out;
}

PlantRow tree(uint32_t row, uint32_t item, float chance, uint16_t sapling, uint8_t spec) {
  PlantRow out = grows(row, item, pg::kTree, chance, sapling, 0);
  out.process = spec;
  return out;
}

std::array<PlantRow, kPlantRowCount> buildTable() {
  std::array<PlantRow, kPlantRowCount> rows{};
  for (size_t i = 0; i < rows.size(); ++i) rows[i].row = static_cast<uint32_t>(i);
  auto set = [&rows](const PlantRow& row) { rows[row.row] = row; };

  set(tree(0, 2048, 0.8f, 235, 0));  // oak acorn
  PlantRow vine = grows(2, 0, pg::kClimbing, 0.8f, 276, 2005, 2005, 1973);
  vine.stages = 3;
  vine.soil = 8;
  set(vine);
  set(grows(11, 2760, pg::kThreeState, 0.5f, 2340, 2338, 2337));  // wheat from grain seeds
  set(grows(12, 3776, pg::kReplace, 0.4f, 2343, 454));            // sunpetal from sunflower seeds
  set(grows(13, 3840, pg::kReplace, 0.3f, 2346, 2478));           // pumpkin plant
  set(grows(14, 3337, pg::kReplace, 0.5f, 2349, 2531));           // grass tuft
  PlantRow potted = grows(16, 0, pg::kReplace, 0.3f, 2430, 2414);
  potted.needsBlock = 2382;
  potted.needsDeco = 1;
  set(potted);
  PlantRow cave = grows(30, 0, pg::kClimbing, 0.7f, 409, 416, 419, 426);
  cave.light = 1;
  cave.stages = 5;
  set(cave);
  PlantRow flower = grows(kGeneticFlowerRow, 41, pg::kReplace, 0.3f, 2208, 0);
  flower.looseSoilA = 1;
  flower.looseSoilB = 1;
  set(flower);
  set(tree(131, 3968, 0.6f, 2352, 17));  // moon seeds
  set(tree(132, 4037, 0.6f, 2353, 18));  // kelp seeds
  set(tree(133, 4032, 0.6f, 2354, 20));  // spore seeds
  set(tree(150, 3338, 1.0f, 2546, 25));  // plant seeds
  return rows;
}

}  // namespace

const std::array<PlantRow, kPlantRowCount>& plantTable() {
  static const std::array<PlantRow, kPlantRowCount> table = buildTable();
  return table;
}

const PlantRow* plantRowForBlock(uint16_t blockId) {
  if (blockId == 0) return nullptr;
  for (const PlantRow& row : plantTable()) {
    if (row.block0 == blockId) return &row;
  }
  return nullptr;
}
