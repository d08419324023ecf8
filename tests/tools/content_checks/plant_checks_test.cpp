#include "tools/content_checks/plant_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "content_set_builder.h"

namespace {

using content_checks::CheckReport;
using content_checks::ContentIndex;

// A crop (row 1: item 500 plants 100, which turns into 101 and then 102), a vine (row 2: 110 up
// to tip 113, all stacking plants), a tree (row 3: sapling 120 on growth row 0) and one fruit block (130
// hanging item 600).
struct Rules {
  std::vector<PlantRow> plants;
  std::vector<FruitRow> fruits{{130, 600, 1.0f, 2, 0, 0}};
  std::vector<ProcessSpec> specs;

  Rules() {
    using namespace plant_growth;
    plants = {PlantRow{},
              {.item = 500, .row = 1, .growth = kThreeState,
               .block0 = 100, .block1 = 101, .block2 = 102},
              {.row = 2, .growth = kClimbing, .stages = 3,
               .block0 = 110, .block1 = 111, .block2 = 112, .block3 = 113},
              {.row = 3, .growth = kTree, .block0 = 120}};
    specs.emplace_back().blocks = {121, 122, 123, 124};
  }
  content_checks::PlantRules view() const { return {plants, fruits, specs}; }
};

const std::string kBlocks = R"([
  {"id": 100}, {"id": 101, "variantCount": 2}, {"id": 102},
  {"id": 110, "flags": "0x80"}, {"id": 111, "flags": "0x80"}, {"id": 112, "flags": "0x80"}, {"id": 113, "flags": "0x80"},
  {"id": 120}, {"id": 121, "flags": "0x100"}, {"id": 122, "flags": "0x100"}, {"id": 123, "flags": "0x100"},
  {"id": 124, "flags": "0x200"}, {"id": 130, "flags": "0x40000000"}])";
const std::string kItems = R"([{"id": 500, "kind": 3, "subKind": 5, "placesBlock": 100}, {"id": 600, "kind": 2}])";

CheckReport run(const Rules& rules, const std::string& blocks = kBlocks, const std::string& items = kItems) {
  checks_test::SetBuilder set;
  set.blocks = blocks;
  set.treasures = items;
  const auto sources = set.build();
  CheckReport report;
  content_checks::checkPlantRules(ContentIndex(sources), rules.view(), report);
  return report;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST(PlantChecksTest, EachBrokenRuleIsNamed) {
  struct Case { const char* what; std::string blocks, items; const char* mention; };
  const Case cases[] = {
      {"seed plants another block", kBlocks, replaced(kItems, "\"placesBlock\": 100", "\"placesBlock\": 102"),
       "must plant block 100"},
      {"seed places a block nothing grows", kBlocks,
       replaced(kItems, "{\"id\": 600", "{\"id\": 501, \"kind\": 3, \"subKind\": 5, \"placesBlock\": 102}, {\"id\": 600"),
       "which no plant row grows"},
      {"middle state with one variant", replaced(kBlocks, "\"variantCount\": 2", "\"variantCount\": 1"), kItems,
       "needs two variants"},
      {"trunk that holds no leaves", replaced(kBlocks, "{\"id\": 123, \"flags\": \"0x100\"}", "{\"id\": 123}"), kItems,
       "block 123 needs flag 8"},
      {"missing grown block", replaced(kBlocks, "{\"id\": 102},", ""), kItems, "block 102 is not defined"},
  };
  for (const Case& c : cases) {
    const CheckReport report = run(Rules{}, c.blocks, c.items);
    EXPECT_TRUE(mentions(report, c.mention)) << c.what << ":\n" << report.describe();
  }
}

TEST(PlantChecksTest, RowsThatShareAPlantedBlockOrLackASpecAreNamed) {
  Rules rules;
  rules.plants[3].block0 = 100;
  rules.plants[3].process = 4;
  const CheckReport report = run(rules);
  EXPECT_TRUE(mentions(report, "already planted by row 1")) << report.describe();
  EXPECT_TRUE(mentions(report, "no growth spec 4")) << report.describe();
}

}  // namespace
