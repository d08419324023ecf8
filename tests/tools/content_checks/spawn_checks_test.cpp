// Spawn rows against mobs and planets: a row naming an empty mob row is reported, and so is every
// planet without land rows for the day, the night or the caves or a row for its waters; a row that
// lives in a liquid holds only mobs proof against it, and every row can make a mob.

#include <gtest/gtest.h>

#include "tests/tools/content_checks/content_set_builder.h"
#include "tools/content_checks/spawn_checks.h"
#include "tools/content_compiler/table_sources.h"

namespace {

using content_checks::CheckReport;
using content_checks::ContentIndex;

CheckReport run(const std::string& mobGroups) {
  checks_test::SetBuilder set;
  set.mobs = checks_test::rowList(
      5, {{2, R"({"maxHealth": 10})"}, {3, R"({"maxHealth": 12})"}, {4, R"({"maxHealth": 3, "flags": 128})"}});
  auto sources = set.build();
  checks_test::readInto(sources, content_compiler::readPlanets, checks_test::planetsJson());
  checks_test::readInto(sources, content_compiler::readMobGroups, mobGroups);
  CheckReport report;
  content_checks::checkSpawnRows(ContentIndex(sources), report);
  return report;
}

TEST(SpawnChecks, EmptyMobRowsAndPlanetsWithoutDayNightOrCaveRowsAreReported) {
  const CheckReport report = run(R"([
      {"planetId": 1, "spawnGroup": 0, "dayPhases": 11, "mobs": [2]},
      {"planetId": 1, "spawnGroup": 2, "dayPhases": 4, "mobs": [3, 1]},
      {"planetId": 1, "spawnGroup": 1, "dayPhases": 15, "mobs": [2]},
      {"planetId": 2, "spawnGroup": 2, "dayPhases": 1, "mobs": [3]},
      {"planetId": 1, "spawnGroup": 0, "liquid": 2, "mobs": [4]},
      {"planetId": 4, "spawnGroup": 1, "liquid": 1, "mobs": [4]},
      {"planetId": 4, "spawnGroup": 1, "liquid": 4, "mobs": [4]},
      {"planetId": 4, "spawnGroup": 1, "packSize": [0, 0], "mobs": [2]}])");
  checks_test::expectMentions(report,
                              {"mob_groups.json, row 1: mob 1 has no health",
                               "planets.json, row 1: planet P1 has no spawn row for the day",
                               "planets.json, row 1: planet P1 has no spawn row for the night",
                               "planets.json, row 1: planet P1 has no spawn row for the caves",
                               "planets.json, row 1: planet P1 has no spawn row for its waters",
                               "planets.json, row 11: planet P11 has no spawn row for the day",
                               "planets.json, row 2: planet P2 has no spawn row for the day",
                               "mob_groups.json, row 5: mob 4 is not proof against the liquid",
                               "mob_groups.json, row 6: liquid 4 is none of water",
                               "mob_groups.json, row 7: the largest pack is 0"},
                              {"planet P0 has", "mob 2 has", "mob 3 has", "row 4: mob 4", "P2 has no spawn row for its waters",
                               "P2 has no spawn row for the caves"});
}

}  // namespace
