#include "tools/content_checks/obtainability_check.h"

#include <gtest/gtest.h>

#include <set>

#include "content_set_builder.h"

namespace {

using checks_test::itemLootTables;
using checks_test::SetBuilder;
using content_checks::CheckReport;
using content_checks::ContentIndex;

CheckReport run(const SetBuilder& set) {
  const auto sources = set.build();
  const ContentIndex index(sources);
  CheckReport report;
  content_checks::checkRecipeInputs(index, report);
  return report;
}

size_t recipeFindings(const CheckReport& report) {
  size_t count = 0;
  for (const auto& f : report.findings()) count += f.place.file == "crafts.json" ? 1 : 0;
  return count;
}

std::set<uint16_t> obtainable(const SetBuilder& set) {
  const auto sources = set.build();
  return content_checks::obtainableItems(ContentIndex(sources));
}

// Items 1000-1003 and the workbench 24; block 1000 drops item 1000.
SetBuilder baseSet() {
  SetBuilder set;
  set.treasures = R"([{"id": 24}, {"id": 88}, {"id": 1000}, {"id": 1001}, {"id": 1002}, {"id": 1003},
                      {"id": 612}, {"id": 548}, {"id": 65}, {"id": 1538}])";
  set.loot = itemLootTables({1000, 548});
  set.blocks = R"([{"id": 1000, "lootTable": 0}, {"id": 1001, "lootTable": 1}])";
  return set;
}

TEST(ObtainabilityCheck, IngredientsNothingGivesAreReportedOncePerRecipeRow) {
  SetBuilder set = baseSet();
  // 1002 and 1003 are only made from each other; 1003 fills two cells of row 1.
  set.crafts = R"([
    {"shape": 0, "station": 0, "result": 24, "ingredients": [1000]},
    {"shape": 3, "station": 0, "result": 1002, "ingredients": [1003, 1003, 1000]},
    {"shape": 0, "result": 1003, "ingredients": [1002]}
  ])";
  const CheckReport report = run(set);
  EXPECT_TRUE(mentions(report, "crafts.json, row 1: ingredient item 1003 cannot be obtained"));
  EXPECT_TRUE(mentions(report, "crafts.json, row 2: ingredient item 1002 cannot be obtained"));
  EXPECT_EQ(recipeFindings(report), 2u) << report.describe();
}

TEST(ObtainabilityCheck, UnbuildableStationsAndUndefinedItemsAreReported) {
  SetBuilder set = baseSet();
  set.crafts = R"([{"shape": 0, "station": 1, "result": 1001, "ingredients": [1000]},
                   {"shape": 1, "result": 3999, "ingredients": [1000, 3998]}])";
  const CheckReport report = run(set);
  EXPECT_TRUE(mentions(report, "crafts.json, row 0: station kind 1 cannot be built"));
  EXPECT_TRUE(mentions(report, "crafts.json, row 1: the result item 3999 is not defined"));
  EXPECT_TRUE(mentions(report, "crafts.json, row 1: ingredient item 3998 is not defined"));
}

TEST(ObtainabilityCheck, CodeTablesAndEquivalencesCount) {
  SetBuilder set = baseSet();
  // Birch logs (548) drop; the crafting code takes them for oak logs (612). The forge (88) is
  // crafted, so copper ore (65, dropped) smelts into copper bars (1538).
  set.loot = itemLootTables({1000, 548, 65});
  set.blocks = R"([{"id": 1000, "lootTable": 0}, {"id": 1001, "lootTable": 1}, {"id": 65, "lootTable": 2}])";
  set.crafts = R"([
    {"shape": 0, "result": 1002, "ingredients": [612]},
    {"shape": 0, "result": 88, "ingredients": [1000]},
    {"shape": 0, "result": 1003, "ingredients": [1538]}
  ])";
  EXPECT_TRUE(obtainable(set).count(1538));
  EXPECT_FALSE(obtainable(set).count(612));  // only its equivalent can be had
  set.crafts = R"([{"shape": 0, "result": 1003, "ingredients": [1538]}])";
  EXPECT_FALSE(obtainable(set).count(1538)) << "smelting needs the forge";
}

TEST(ObtainabilityCheck, NestedTablesGroupsAndPotionsGiveItems) {
  SetBuilder set = baseSet();
  set.treasures = R"([{"id": 1001}, {"id": 1002}, {"id": 1003}, {"id": 2126}])";
  set.lootGroups = R"([{"items": [1002]}])";
  set.loot = R"([
    {"mode": "pickOne", "entries": [{"chance": 1, "kind": "table", "table": 1}, {"chance": 1, "kind": "category", "category": 4}]},
    {"entries": [{"chance": 0.5, "kind": "group", "group": 0}, {"chance": 0, "kind": "item", "item": 1003}]},
    {"entries": [{"chance": 1, "kind": "item", "item": 1001}]}
  ])";
  set.blocks = R"([{"id": 5, "lootTable": 0}])";
  const auto have = obtainable(set);
  EXPECT_TRUE(have.count(1002));
  EXPECT_TRUE(have.count(2126));
  EXPECT_FALSE(have.count(1003));  // an entry that never rolls gives nothing
  EXPECT_FALSE(have.count(1001));  // a table no block or mob drops gives nothing
}

TEST(ObtainabilityCheck, ItemsTheCodeHandsOutMustBeDefined) {
  const CheckReport report = run(SetBuilder{});
  EXPECT_TRUE(mentions(report, "treasures.json: item 1538 is given by the game's Forge::smeltStep smelting table but is not defined"));
  EXPECT_TRUE(mentions(report, "item 2126 is given by the game's brewPotion"));
}

}  // namespace
