#include "tools/content_checks/planet_filter_check.h"

#include <gtest/gtest.h>

#include "content_set_builder.h"

namespace {

using content_checks::CheckReport;
using content_checks::ContentIndex;

// Terra's stone (group 1, category 1), soil (category 4) and turf (category 0x10) from the block
// filter table; turf is laid by the biome stage.
constexpr const char* kStone = "\"0x1000000000001\"";
constexpr const char* kSoil = "\"0x1000000000004\"";
constexpr const char* kTurf = "\"0x1000000000010\"";

CheckReport run(const std::string& firstPlanetRules, const std::string& blocks) {
  checks_test::SetBuilder set;
  set.blocks = blocks;
  auto sources = set.build();
  checks_test::readInto(sources, content_compiler::readPlanets,
                        checks_test::planetsJson(firstPlanetRules));
  CheckReport report;
  content_checks::checkPlanetFilters(ContentIndex(sources), report);
  return report;
}

const std::string kBlocks =
    R"([{"id": 1248}, {"id": 263}, {"id": 1344}, {"id": 64}, {"id": 1221}, {"id": 1700}, {"id": 1539}])";

TEST(PlanetFilterCheck, FilterOnBlocksLaidOnlyLaterIsReported) {
  const std::string rules = std::string(R"("terrainBlocks": [{"block": 263, "weight": 1}, {"block": 1248, "weight": 2}],)") +
      R"("veinRules": [{"block": 64, "placements": [{"filter": )" + kTurf + "}]}]," +
      R"("biomeRules": [{"layers": [{"filter": )" + kSoil + R"(, "block": 1344}]}])";
  const CheckReport report = run(rules, kBlocks);
  EXPECT_TRUE(mentions(report, "planets.json, row 0: planet P0: vein rule 0 placement 0 filter 0x1000000000010 "
                              "matches no block that the earlier generation stages lay"))
      << report.describe();
}

TEST(PlanetFilterCheck, RulesOfOneStageDoNotSeeEachOther) {
  // The second biome layer filters on the turf the first lays in the same stage.
  const std::string rules = std::string(R"("terrainBlocks": [{"block": 263, "weight": 1}],)") +
      R"("biomeRules": [{"layers": [{"filter": )" + kSoil + R"(, "block": 1344}]},
                        {"layers": [{"filter": )" + kTurf + R"(, "block": 1221}]}])";
  EXPECT_TRUE(mentions(run(rules, kBlocks), "biome rule 1 layer 0 filter 0x1000000000010"));
}

TEST(PlanetFilterCheck, EmptyFilterAndRunStartWithoutSolidTerrain) {
  // Loose ground (category 8) is all the terrain there is: runs cannot start anywhere.
  const std::string rules = std::string(R"("terrainBlocks": [{"block": 266, "weight": 1}],)") +
      R"("surfaceRules": [{"filter": 0, "blocks": [1221]}])";
  const CheckReport report = run(rules, R"([{"id": 266}, {"id": 1221}])");
  EXPECT_TRUE(mentions(report, "the horizontal runs' start filter filter 0x77"));
  EXPECT_TRUE(mentions(report, "surface rule 0 filter 0x0"));
}

TEST(PlanetFilterCheck, UndefinedBlocksLaidByRulesAreReported) {
  const std::string rules = std::string(R"("terrainBlocks": [{"block": 1248, "weight": 1}],)") +
      R"("blockRules": [{"filter": )" + kStone + R"(, "block": 3333}])";
  const CheckReport report = run(rules, kBlocks);
  EXPECT_TRUE(mentions(report, "planets.json, row 0: planet P0: block rule 0 lays block 3333, which is not defined"));
}

}  // namespace
