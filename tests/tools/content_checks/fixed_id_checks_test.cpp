#include "tools/content_checks/fixed_id_checks.h"

#include <gtest/gtest.h>

#include "content_set_builder.h"

namespace {

using content_checks::CheckReport;
using content_checks::ContentIndex;
using checks_test::SetBuilder;

CheckReport run(const SetBuilder& set) {
  const auto sources = set.build();
  const ContentIndex index(sources);
  CheckReport report;
  content_checks::checkFixedIds(index, report);
  return report;
}

TEST(FixedIdChecks, MissingBlocksAndItemsAreNamedWithTheirUse) {
  const CheckReport report = run(SetBuilder{});
  EXPECT_TRUE(report.mentions("blocks.json: block 84 (bedrock (must not be breakable)) is not defined"));
  EXPECT_TRUE(report.mentions("treasures.json: item 2126 (potion) is not defined"));
  EXPECT_TRUE(report.mentions("mobs.json: mob 453 "));
  EXPECT_TRUE(report.mentions("bullets.json, row 121: projectile row 121 (timed charge) is empty"));
  EXPECT_TRUE(report.mentions("no projectile row has the bobber flag"));
}

TEST(FixedIdChecks, BlockFlagsAndVariantsAreCheckedOnTheRowThatDefinesThem) {
  SetBuilder set;
  set.blocks = R"([
    {"id": 84, "flags": "0x4"},
    {"id": 33, "flags": "0x1000000000"},
    {"id": 32, "flags": "0x1000000000"},
    {"id": 117, "variantCount": 1},
    {"id": 121, "variantCount": 4},
    {"id": 34, "flags": "0x4"}
  ])";
  const CheckReport report = run(set);
  EXPECT_TRUE(report.mentions("blocks.json, row 0: block 84 (bedrock (must not be breakable)) must not have flag 2"));
  EXPECT_TRUE(report.mentions("blocks.json, row 1: block 33 (forge (opens its smelting slots)) must not have flag 36"));
  EXPECT_FALSE(report.mentions("block 32 (crafting station) needs flag"));
  EXPECT_TRUE(report.mentions("blocks.json, row 3: block 117 (shadow edge drawn by the view (one variant per side)) "
                              "needs at least 4 variants, has 1"));
  EXPECT_FALSE(report.mentions("block 121 ("));
  EXPECT_TRUE(report.mentions("blocks.json, row 5: block 34 (crafting station) needs flag 36"));
}

TEST(FixedIdChecks, ItemKindsRecordsAndPlacedBlocks) {
  SetBuilder set;
  set.treasures = R"([
    {"id": 2, "kind": 5},
    {"id": 4, "kind": 1},
    {"id": 24, "kind": 4, "placesBlock": 33},
    {"id": 88, "kind": 4, "placesBlock": 33},
    {"id": 1298, "kind": 6}
  ])";
  set.tools = R"([{"item": 4, "power": 1.0}])";
  set.rangeds = R"([{"item": 1298, "bulletRow": 24}])";
  const CheckReport report = run(set);
  EXPECT_TRUE(report.mentions("treasures.json, row 0: item 2 (tool counted by an achievement) must be of kind 1, is 5"));
  EXPECT_TRUE(report.mentions("item 2 (tool counted by an achievement) needs a record in tools.json"));
  EXPECT_FALSE(report.mentions("item 4 ("));
  EXPECT_TRUE(report.mentions("treasures.json, row 2: item 24 (workbench) must place block 32, places 33"));
  EXPECT_FALSE(report.mentions("item 88 ("));
  EXPECT_TRUE(report.mentions("rangeds.json, row 0: item 1298 (firework launcher (its rockets burst into sub-rockets)) "
                              "must fire projectile row 25, fires 24"));
}

TEST(FixedIdChecks, FishingRodMustShootABobber) {
  SetBuilder set;
  set.treasures = R"([{"id": 15, "kind": 6}, {"id": 79, "kind": 6}, {"id": 143, "kind": 6}])";
  set.rangeds = R"([{"item": 15, "bulletRow": 4}, {"item": 79, "bulletRow": 5}, {"item": 143, "bulletRow": 900}])";
  set.bullets = R"([{}, {}, {}, {}, {"bobber": 1, "size": [4, 4]}, {"size": [4, 4]}])";
  const CheckReport report = run(set);
  EXPECT_FALSE(report.mentions("item 15 ("));
  EXPECT_TRUE(report.mentions("rangeds.json, row 1: item 79 (fishing rod) must fire a projectile row with the bobber flag (row 5"));
  // A row outside the table is a fault too, not a crash.
  EXPECT_TRUE(report.mentions("item 143 (fishing rod) must fire a projectile row with the bobber flag (row 900"));
  EXPECT_FALSE(report.mentions("no projectile row has the bobber flag"));
}

TEST(FixedIdChecks, EmptyMobRowsAndUnknownMovementKinds) {
  SetBuilder set;
  std::string mobs = "[";
  for (int row = 0; row <= 83; ++row) {
    if (row) mobs += ",";
    mobs += row == 82 ? R"({"maxHealth": 10, "movementKind": 1})"
          : row == 83 ? R"({"maxHealth": 10, "movementKind": 4})"
                      : "{}";
  }
  set.mobs = mobs + "]";
  const CheckReport report = run(set);
  EXPECT_FALSE(report.mentions("mob 82 ("));
  EXPECT_TRUE(report.mentions("mobs.json, row 83: mob 83 (exploding mob) has movement kind 4"));
  EXPECT_TRUE(report.mentions("mobs.json, row 5: mob 5 (stable animal) has no health"));
  EXPECT_TRUE(report.mentions("mobs.json: mob 453 (mob that splits, and what it splits into) is not defined"));
}

TEST(FixedIdChecks, StickyProjectilesNeedTheirFlag) {
  SetBuilder set;
  std::string bullets = "[";
  for (int row = 0; row <= 96; ++row) {
    if (row) bullets += ",";
    bullets += row == 9 ? R"({"size": [4, 4], "stick": 1})" : row == 92 ? R"({"size": [4, 4]})" : "{}";
  }
  set.bullets = bullets + "]";
  const CheckReport report = run(set);
  EXPECT_FALSE(report.mentions("row 9 ("));
  EXPECT_TRUE(report.mentions("bullets.json, row 92: projectile row 92 (sticky explosive projectile) needs the stick flag"));
}

TEST(FixedIdChecks, EmptyCellMayOnlyBeDefinedAsAir) {
  SetBuilder air, solid, item;
  air.blocks = R"([{"id": 0, "transparency": 1}])";
  solid.blocks = R"([{"id": 0, "flags": "0x800000", "transparency": 1}])";
  item.treasures = R"([{"id": 0, "kind": 15}])";
  EXPECT_FALSE(run(air).mentions("block 0 "));
  EXPECT_TRUE(run(solid).mentions("blocks.json, row 0: block 0 is the empty cell"));
  EXPECT_TRUE(run(item).mentions("treasures.json, row 0: item 0 reads back from saves as no item"));
}

TEST(FixedIdChecks, VariantsMustNotCoverAnotherBlocksSpriteCells) {
  SetBuilder set;
  set.blocks = R"([{"id": 117, "variantCount": 4}, {"id": 119}, {"id": 2128, "variantCount": 16}, {"id": 2144}])";
  set.treasures = R"([{"id": 500, "kind": 4, "placesBlock": 255},
                      {"id": 913, "kind": 6, "placesBlock": 255},
                      {"id": 501, "kind": 4, "placesBlock": 2130}])";
  const CheckReport report = run(set);
  EXPECT_TRUE(report.mentions("blocks.json, row 1: block 119 sits on a sprite cell of block 117's 4 variants"));
  EXPECT_FALSE(report.mentions("block 2144 sits"));
  EXPECT_TRUE(report.mentions("treasures.json, row 0: item 500 places block 255"));
  // A spawning item keeps a mob row in that field, so 255 there is no block.
  EXPECT_FALSE(report.mentions("item 913 places"));
  EXPECT_TRUE(report.mentions("item 501 places block 2130"));
}

}  // namespace
