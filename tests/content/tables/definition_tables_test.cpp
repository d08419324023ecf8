#include <gtest/gtest.h>

#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "tests/content/items/item_test_defs.h"

namespace {

class DefinitionTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { resetContentTables(); }
  void TearDown() override { resetContentTables(); }
};

TEST_F(DefinitionTablesTest, IdsOutsideTheTablesHaveNoDefinition) {
  for (int id : {4096, 0xFFFF, -1}) EXPECT_EQ(itemDefinitionById(id), nullptr) << id;
  EXPECT_EQ(mobDefinitionById(899), &contentTables().mobDefs[899]);
  EXPECT_EQ(mobDefinitionById(900), nullptr);
}

TEST_F(DefinitionTablesTest, EquipmentStatsReadTheirBytes) {
  BuffSpec b;
  b.bytes[1] = static_cast<uint8_t>(-20);  // stat 0, sub 1
  b.bytes[36 + 2] = 250;                    // unsigned
  itemtest::putF32(b, 24, -0.5f);
  const struct {
    int stat, sub;
    float value;
  } cases[] = {{0, 1, -0.2f}, {3, 2, 2.5f}, {8, 0, -0.5f},
               {0, 4, 0.0f}};  // no read past the four sub-indexes
  for (const auto& c : cases) EXPECT_FLOAT_EQ(buffStatBase(b, c.stat, c.sub), c.value) << c.stat << "/" << c.sub;
}

MobDef mobWithMovement(uint8_t kind) {
  MobDef mob;
  mob.bytes[content::mob_record::movementKind] = kind;
  return mob;
}

TEST_F(DefinitionTablesTest, LaterAnimationsOfAKindReplaceEarlierOnes) {
  MobPartLayout layout;
  layout.animations = {{0, {}}, {1, {}}, {0, {}}, {6, {}}};
  const MobPartPick walker = pickMobParts(mobWithMovement(1), layout);
  EXPECT_EQ(walker.roles[0], &layout.animations[2]);
  EXPECT_EQ(walker.roles[3], &layout.animations[0]) << "role 3 keeps the first kind-0 animation";
  const MobPartPick flyer = pickMobParts(mobWithMovement(2), layout);
  EXPECT_EQ(flyer.roles[3], &layout.animations[3]);
  EXPECT_EQ(flyer.roles[1], nullptr);
}

TEST_F(DefinitionTablesTest, PartModesDecideTheVisibleParts) {
  MobPartLayout layout;
  layout.partModes = {1, 3, 1, 9};  // no mode-2 parts: nothing random is added
  EXPECT_EQ(pickMobParts(mobWithMovement(0), layout).parts, (std::vector<uint8_t>{0, 2}));
  layout.partModes = {2, 2, 2, 0};
  engine::randomSeed(7);
  int chanceShown = 0;
  for (int i = 0; i < 400; ++i) {
    const MobPartPick pick = pickMobParts(mobWithMovement(0), layout);
    EXPECT_LT(pick.parts.back(), 3) << "exactly one of the mode-2 parts is added last";
    if (pick.parts.size() == 2) {
      EXPECT_EQ(pick.parts[0], 3);
      ++chanceShown;
    }
  }
  EXPECT_GT(chanceShown, 120);
  EXPECT_LT(chanceShown, 280);
}

}  // namespace
