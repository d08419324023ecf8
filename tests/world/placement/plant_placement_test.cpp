// A plant of the plant table is placed only where the planting check lets it grow, and a refusal
// tells the player why.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "content/items/block_filter.h"
#include "content/tables/plant_table.h"
#include "tests/world/world_recorders.h"
#include "world/placement/placement_checks.h"
#include "world/placement/placement_reporter.h"

namespace {

using namespace world_test;

constexpr uint16_t kTilled = 2435;

// A row planted in an empty cell on firm ground of some blocks only.
const PlantRow* choosyRow() {
  for (const PlantRow& r : plantTable()) {
    if (r.block0 != 0 && r.soil != FILTER_ANY_BLOCK && r.needsBlock == 0 && r.looseSoilA == 0 && r.looseSoilB == 0 &&
        plantRowForBlock(r.block0) == &r) {
      return &r;
    }
  }
  return nullptr;
}

class Reporter final : public PlacementReporter {
 public:
  void showMessage(const std::string& text, int kind) override { messages.push_back({text, kind}); }
  bool mayLock(const MapBlock&) override { return false; }
  std::vector<std::pair<std::string, int>> messages;
};

class PlantPlacementTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    row = choosyRow();
    ASSERT_NE(row, nullptr);
    sapling = row->block0;
    // The first block the row's soil filter takes becomes solid ground; the first it refuses, too.
    for (uint16_t id = 1; id < 4096 && (soil == 0 || wrongSoil == 0); ++id) {
      if (id == sapling || id == kTilled) continue;
      uint16_t& slot = itemMatchesFilter(id, row->soil) ? soil : wrongSoil;
      if (slot == 0) slot = id;
    }
    ASSERT_NE(soil, 0);
    ASSERT_NE(wrongSoil, 0);
    defineBlock(soil, {.flags = bits({23}), .transparency = 0});
    defineBlock(wrongSoil, {.flags = bits({23}), .transparency = 0});
    defineBlock(kTilled, {.transparency = 2});
    makeWorld(WorldParams{});
  }
  void ground(uint16_t id) {
    MapBlock& below = at(5, 4);
    below.setLayer(id, 0, MapBlock::kFront);
    if (row->needsDeco != 0) below.decos[0] = map_deco::make(kTilled, 0, MapBlock::kFront);
  }
  const PlantRow* row = nullptr;
  uint16_t sapling = 0, soil = 0, wrongSoil = 0;
  Reporter reporter;
};

TEST_F(PlantPlacementTest, APlantIsPlacedOnTheGroundItGrowsIn) {
  ground(soil);
  EXPECT_TRUE(checkLiquidPlacement(*world, at(5, 5), sapling, &reporter));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(PlantPlacementTest, APlantIsRefusedWithTheReasonOfThePlantingCheck) {
  ground(wrongSoil);
  EXPECT_FALSE(checkLiquidPlacement(*world, at(5, 5), sapling, &reporter));
  ground(0);  // nothing under the cell
  EXPECT_FALSE(checkLiquidPlacement(*world, at(5, 5), sapling, &reporter));
  const std::vector<std::pair<std::string, int>> told = {
      {placement_text::kPlantRefusals[1], PlacementReporter::kRefusalMessage},
      {placement_text::kPlantRefusals[3], PlacementReporter::kRefusalMessage}};
  EXPECT_EQ(reporter.messages, told);
}

}  // namespace
