#pragma once
// The plant table: one row per kind of planted block, saying how the block grows (turns into its
// grown block, grows into a two-block plant, passes a middle state, climbs segment by segment, or
// grows a tree by a row of the growth table), in which light, how likely each attempt is, and where it may be
// planted. Rows are found by row number or by their planted block (block0, first match; rows with
// planted block 0 are empty and never match). Fixed data, built into the program.

#include <array>
#include <cstddef>
#include <cstdint>

namespace plant_growth {
constexpr uint32_t kReplace = 0;
constexpr uint32_t kThreeState = 1;
constexpr uint32_t kTwoBlock = 2;
constexpr uint32_t kClimbing = 3;
constexpr uint32_t kTree = 4;
}  // namespace plant_growth

struct PlantRow {
  uint32_t item = 0;    // shown for the row by the plants collection; 0 when not listed
  uint32_t row = 0;     // the row's own number
  uint32_t growth = 0;  // plant_growth kind
  uint32_t light = 0;   // 0 grows in light (level 8 or more), 1 in darkness (level 6 or less)
  uint8_t stages = 0;   // climbing plants: the stage at which growth surely ends
  float chance = 0;     // chance per growth attempt
  uint16_t block0 = 0;  // the planted block
  uint16_t block1 = 0;
  uint16_t block2 = 0;
  uint16_t block3 = 0;  // climbing tip
  uint64_t soil = 0;    // block filter the block under the plant must match
  uint16_t needsBlock = 0;  // block that must already stand in the cell; 0: empty or replaceable
  uint8_t needsDeco = 0;    // the soil must carry decoration 2435
  uint8_t looseSoilA = 0;   // with looseSoilB: planting needs no solid ground and may skip the soil
  uint8_t looseSoilB = 0;
  uint8_t process = 0;      // trees: the row of the growth table
};

constexpr size_t kPlantRowCount = 151;
constexpr uint32_t kGeneticFlowerRow = 121;

const std::array<PlantRow, kPlantRowCount>& plantTable();
// The row whose planted block is the id, or null.
const PlantRow* plantRowForBlock(uint16_t blockId);
