#include <gtest/gtest.h>

#include "content/items/block_filter.h"
#include "content/tables/plant_table.h"
#include "tests/world/growth_world.h"

namespace {

using namespace world_test;

constexpr uint16_t kTilled = 2435;
constexpr uint16_t kPotA = 2381, kPotB = 2382;
constexpr uint16_t kPebbles = 40;     // a decoration that blocks planting
constexpr uint16_t kShelf = 41;       // a shelf-like soil block

class PlantingTest : public GrowthWorldTest {
 protected:
  void SetUp() override {
    GrowthWorldTest::SetUp();
    defineBlock(kTilled, {.transparency = 2});
    defineBlock(kPebbles, {.flags = bits({1}), .transparency = 2});
    defineBlock(kShelf, {.flags = bits({23, 41}), .transparency = 0});
    defineBlock(kPotA, {.flags = bits({23}), .transparency = 1});
    defineBlock(kPotB, {.flags = bits({23}), .transparency = 1});
    makeWorld();
  }
  static PlantRow row(uint16_t needsBlock = 0, uint8_t needsDeco = 0, bool looseSoil = false,
                      uint64_t soil = FILTER_ANY_BLOCK) {
    PlantRow r;
    r.block0 = 2340;
    r.soil = soil;
    r.needsBlock = needsBlock;
    r.needsDeco = needsDeco;
    r.looseSoilA = looseSoil ? 1 : 0;
    return r;
  }
};

TEST_F(PlantingTest, ResultCodesByCase) {
  struct Case {
    const char* what;
    uint16_t soil;
    std::vector<MapDeco> soilDecos;
    uint16_t inCell;
    PlantRow row;
    PlantCheck expected;
  };
  const MapDeco tilled = map_deco::make(kTilled, 0, MapBlock::kFront);
  const MapDeco pebbles = map_deco::make(kPebbles, 0, MapBlock::kFront);
  const MapDeco backPebbles = map_deco::make(kPebbles, 0, MapBlock::kBack);
  const Case cases[] = {
      {"on dirt", kDirt, {}, kAir, row(), PlantCheck::MayPlant},
      {"on glass", kGlass, {}, kAir, row(), PlantCheck::NeedsSolidGround},
      {"loose soil on glass", kGlass, {}, kAir, row(0, 0, true), PlantCheck::MayPlant},
      {"wrong soil", kDirt, {}, kAir, row(0, 0, false, exactBlockFilter(kShelf)), PlantCheck::WrongSoil},
      {"cell taken", kDirt, {}, kDirt, row(), PlantCheck::CellOccupied},
      {"needs pot A", kDirt, {}, kAir, row(kPotA), PlantCheck::NeedsBlock2381},
      {"needs pot B", kDirt, {}, kAir, row(kPotB), PlantCheck::NeedsBlock2382},
      {"untilled", kDirt, {}, kAir, row(0, 1), PlantCheck::SoilNeedsDeco},
      {"pebbles behind", kDirt, {backPebbles}, kAir, row(), PlantCheck::MayPlant},
      {"pebbles before tilling", kDirt, {pebbles, tilled}, kAir, row(0, 1), PlantCheck::SoilNeedsDeco},
      {"pebbles after tilling", kDirt, {tilled, pebbles}, kAir, row(0, 1), PlantCheck::BlockingDeco},
      {"pebbles on a shelf", kShelf, {pebbles}, kAir, row(), PlantCheck::MayPlant},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapBlock& soil = at(10, 5);
    soil.setLayer(c.soil, 0, MapBlock::kFront);
    soil.decos = {};
    for (size_t i = 0; i < c.soilDecos.size(); ++i) soil.decos[i] = c.soilDecos[i];
    at(10, 6).setLayer(c.inCell, 0, MapBlock::kFront);
    EXPECT_EQ(plants().canPlantAt(at(10, 6), c.row), c.expected);
  }
}

TEST_F(PlantingTest, TheBottomRowHasNoGround) {
  EXPECT_EQ(plants().canPlantAt(at(3, 0), row()), PlantCheck::NeedsSolidGround);
}


}  // namespace
