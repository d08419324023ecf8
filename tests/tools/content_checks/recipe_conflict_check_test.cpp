#include "tools/content_checks/recipe_conflict_check.h"

#include <gtest/gtest.h>

#include "content_set_builder.h"

namespace {

using checks_test::SetBuilder;
using content_checks::CheckReport;
using content_checks::ContentIndex;

// Oak log 612 and jungle log 868; oak planks 2149 stand for the other planks, such as
// baobab 1636 and jungle 2023; stick 3303, coal 64, torch 149 and wall torch 2419 are no family.
CheckReport run(const std::string& crafts) {
  SetBuilder set;
  set.crafts = crafts;
  const auto sources = set.build();
  CheckReport report;
  content_checks::checkRecipeConflicts(ContentIndex(sources), report);
  return report;
}

TEST(RecipeConflictCheck, TheSameIngredientsMakingTwoKindsOfOneFamilyAreRefused) {
  const CheckReport report = run(R"([
    {"shape": 3, "station": 0, "result": 1636, "resultCount": 4, "cellCount": 1, "ingredients": [612]},
    {"shape": 0, "station": 0, "result": 2149, "resultCount": 4, "cellCount": 1, "ingredients": [612]},
    {"shape": 0, "station": 0, "result": 2023, "resultCount": 4, "cellCount": 1, "ingredients": [868]}
  ])");
  ASSERT_EQ(report.findings().size(), 1u) << report.describe();
  EXPECT_TRUE(mentions(report, "crafts.json, row 1: makes item 2149 from the ingredients that row 0 makes item 1636 from"))
      << report.describe();
}

TEST(RecipeConflictCheck, OtherStationsCountsOrUnrelatedResultsPass) {
  const CheckReport report = run(R"([
    {"shape": 0, "station": 0, "result": 2149, "resultCount": 4, "cellCount": 1, "ingredients": [612]},
    {"shape": 0, "station": 1, "result": 1636, "resultCount": 4, "cellCount": 1, "ingredients": [612]},
    {"shape": 2, "station": 0, "result": 2023, "resultCount": 4, "cellCount": 4, "ingredients": [612]},
    {"shape": 3, "station": 0, "result": 149, "resultCount": 4, "cellCount": 2, "ingredients": [3303, 64]},
    {"shape": 1, "station": 0, "result": 2419, "resultCount": 4, "cellCount": 2, "ingredients": [64, 3303]},
    {"shape": 0, "station": 0, "result": 2149, "resultCount": 2, "cellCount": 1, "ingredients": [612]}
  ])");
  EXPECT_TRUE(report.ok()) << report.describe();
}

}  // namespace
