#include <gtest/gtest.h>

#include <vector>

#include "content/tables/plant_table.h"
#include "tests/world/growth_world.h"

namespace {

using namespace world_test;

// Wheat (row 11): planted 2340, then 2338 in variant 1, 2338 in variant 0, grown 2337.
constexpr uint16_t kWheatSprout = 2340, kWheatGreen = 2338, kWheat = 2337;
// The vine of row 2 climbs 276 -> 2005 segments with tip 1973, three stages at most.
constexpr uint16_t kVineRoot = 276, kVine = 2005, kVineTip = 1973;
// The cave creeper of row 30 grows in darkness only: 409, 416, 419, tip 426, five stages.
constexpr uint16_t kCreeper = 409;
// A pumpkin sprout (row 13) grows into 2478, which hangs up to two fruits 2052.
constexpr uint16_t kPumpkinSprout = 2346, kPumpkinPlant = 2478, kPumpkin = 2052;
// The sapling of row 0 grows an oak by growth row 0.
constexpr uint16_t kAcorn = 235;

class PlantGrowthTest : public GrowthWorldTest {
 protected:
  void SetUp() override {
    GrowthWorldTest::SetUp();
    for (uint16_t id : {kWheatSprout, kWheat, kPumpkinSprout, kAcorn, uint16_t{1155}, uint16_t{1157}, uint16_t{1123}}) {
      defineBlock(id, {.transparency = 1});
    }
    for (uint16_t id : {kVineRoot, kVine, kVineTip, kCreeper, uint16_t{416}, uint16_t{419}, uint16_t{426}}) {
      defineBlock(id, {.flags = bits({7}), .transparency = 1});
    }
    defineBlock(kWheatGreen, {.transparency = 1, .variants = 2});
    defineBlock(kPumpkinPlant, {.flags = bits({30}), .transparency = 1});
    makeWorld();
    for (int x = 0; x < kWidth; ++x) put(x, 2, kDirt);
  }
  uint16_t frontAt(int x, int y) { return at(x, y).frontId(); }
  void darken(uint32_t darkness) { world->dayClock().darkness = darkness; }
  // Periodic jobs until something changed or the rounds ran out; true when it changed.
  bool growAllUntilChanged(int x, int y, int rounds) {
    const uint16_t before = at(x, y).front;
    for (int i = 0; i < rounds; ++i) {
      plants().growAll(rules);
      if (at(x, y).front != before) return true;
    }
    return false;
  }
  // A pumpkin plant grown at (5, 3) and given every chance to hang its fruit.
  void bearFruit(uint32_t darkness = 0) {
    plant(5, 3, kPumpkinSprout);
    plants().growPlantAt(rules, at(5, 3));
    ASSERT_EQ(frontAt(5, 3), kPumpkinPlant);
    darken(darkness);
    for (int i = 0; i < 300; ++i) plants().growFruits(rules);
  }
  // The entity the rules made for the n-th fruit hung (from 0).
  static Entity* fruitEntity(size_t n) { return reinterpret_cast<Entity*>(GrowingLogic::kFruitHandles + n + 1); }
};

TEST_F(PlantGrowthTest, WheatPassesItsMiddleStateToTheGrownBlock) {
  plant(5, 3, kWheatSprout);
  ASSERT_EQ(plants().plantCount(), 1u);
  struct Expect {
    uint16_t id;
    uint8_t variant;
  };
  for (const Expect& e : {Expect{kWheatGreen, 1}, Expect{kWheatGreen, 0}, Expect{kWheat, 0}}) {
    ASSERT_TRUE(plants().growPlantAt(rules, at(5, 3)));
    EXPECT_EQ(frontAt(5, 3), e.id);
    EXPECT_EQ(at(5, 3).frontVariant(), e.variant);
  }
  EXPECT_EQ(plants().plantCount(), 0u);
}

TEST_F(PlantGrowthTest, LightDecidesWhoGrowsUnlessForced) {
  struct Case {
    uint16_t planted;
    uint32_t darkness;  // open sky is 15: darkness 7 leaves level 8, 9 leaves 6
    bool grows;
  };
  const Case cases[] = {
      {kWheatSprout, 7, true}, {kWheatSprout, 8, false}, {kCreeper, 9, true}, {kCreeper, 0, false},
  };
  int x = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.planted << " darkness " << c.darkness);
    x += 3;
    plant(x, 3, c.planted);
    darken(c.darkness);
    EXPECT_EQ(growAllUntilChanged(x, 3, 400), c.grows);
    if (!c.grows) {
      EXPECT_TRUE(plants().growPlantAt(rules, at(x, 3)));
      EXPECT_NE(frontAt(x, 3), c.planted) << "a forced step ignores the light";
    }
    darken(0);
  }
}

TEST_F(PlantGrowthTest, AClimbingPlantEndsAtItsStageCountOrOneEarlier) {
  int endedEarly = 0;
  for (int x = 1; x < kWidth; x += 2) {
    plant(x, 3, kVineRoot);
    const int steps = growOnlyPlantToTheEnd();
    int tip = 3;
    while (frontAt(x, tip + 1) != kAir) ++tip;
    EXPECT_EQ(frontAt(x, tip), kVineTip);
    const int stage = 1 + (tip - 3);
    EXPECT_TRUE(stage == 3 || stage == 2) << "three stages; two only by the even chance, never one";
    EXPECT_EQ(steps, stage - 1);
    endedEarly += stage == 2 ? 1 : 0;
  }
  EXPECT_GT(endedEarly, 0);
  EXPECT_LT(endedEarly, 20);
}

TEST_F(PlantGrowthTest, ATwoBlockPlantNeedsRoomAboveAndSharesOneVariant) {
  PlantRow row;
  row.growth = plant_growth::kTwoBlock;
  row.chance = 1.0f;
  row.block0 = kWheatSprout;
  row.block1 = kWheatGreen;
  row.block2 = kWheatGreen;
  put(6, 3, kWheatSprout);
  put(6, 4, kDirt);
  plants().addPlant(row, 6, 3, 0);
  EXPECT_TRUE(plants().growPlantAt(rules, at(6, 3)));
  EXPECT_EQ(frontAt(6, 3), kWheatSprout) << "no room above";
  breakFront(6, 4);
  EXPECT_TRUE(plants().growPlantAt(rules, at(6, 3)));
  EXPECT_EQ(frontAt(6, 3), kWheatGreen);
  EXPECT_EQ(frontAt(6, 4), kWheatGreen);
  EXPECT_EQ(at(6, 3).frontVariant(), at(6, 4).frontVariant());
  EXPECT_EQ(plants().plantCount(), 0u);
}

TEST_F(PlantGrowthTest, BreakingAPlantOrAClimbingSegmentEndsIt) {
  // The creeper is grown once first: stage 2 of 5, a segment at 3 and the tip at 4.
  for (uint16_t planted : {kWheatSprout, kAcorn, kCreeper}) {
    plant(8, 3, planted);
    if (planted == kCreeper) plants().growPlantAt(rules, at(8, 3));
    ASSERT_EQ(plants().plantCount(), 1u);
    breakFront(8, 3);
    EXPECT_EQ(plants().plantCount(), 0u) << planted;
    EXPECT_FALSE(plants().growPlantAt(rules, at(8, 3)));
    EXPECT_EQ(frontAt(8, 3), kAir);
  }
}

TEST_F(PlantGrowthTest, AGrownFruitBlockHangsFruitUpToItsMaximum) {
  bearFruit();
  EXPECT_EQ(plants().fruitCells(), std::vector<const MapBlock*>{&at(5, 3)}) << "chance 1.0 registers it";
  ASSERT_EQ(rules.fruits.size(), 2u);
  EXPECT_EQ(rules.fruits[0].id, kPumpkin);

  const EntityId first = effects.ids.idOf(fruitEntity(0));
  EXPECT_TRUE(plants().takeFruit(rules, at(5, 3), first));
  EXPECT_EQ(rules.woken, std::vector<Entity*>{fruitEntity(0)});
  EXPECT_FALSE(plants().takeFruit(rules, at(5, 3), first)) << "already released";
  EXPECT_TRUE(plants().takeFruit(rules, at(5, 3), kNoEntity));
  EXPECT_EQ(rules.woken, (std::vector<Entity*>{fruitEntity(0), fruitEntity(1)})) << "the one left falls";
  EXPECT_FALSE(plants().takeFruit(rules, at(5, 3), kNoEntity)) << "nothing hangs any more";
  EXPECT_EQ(plants().fruitCells().size(), 1u) << "the block stays registered";
}

TEST_F(PlantGrowthTest, NoFruitHangsInTheDark) {
  bearFruit(8);
  EXPECT_TRUE(rules.fruits.empty());
}

TEST_F(PlantGrowthTest, BreakingAFruitBlockReleasesItsFruitsAndForgetsIt) {
  bearFruit();
  breakFront(5, 3);
  EXPECT_EQ(rules.woken.size(), 2u);
  EXPECT_TRUE(plants().fruitCells().empty());
}

TEST_F(PlantGrowthTest, AFruitWhoseEntityIsGoneIsForgottenNotWoken) {
  bearFruit();
  const EntityId eaten = effects.ids.idOf(fruitEntity(0));
  effects.ids.gone.insert(eaten);  // the entity left the world on its own (eaten, despawned)
  EXPECT_TRUE(plants().takeFruit(rules, at(5, 3), kNoEntity));
  ASSERT_EQ(rules.woken.size(), 1u) << "only the fruit that still exists falls";
  EXPECT_NE(effects.ids.idOf(rules.woken[0]), eaten);
  EXPECT_FALSE(plants().takeFruit(rules, at(5, 3), kNoEntity)) << "the eaten one is forgotten too";
}

}  // namespace
