// The released-capsule table (the catalogue's spawner category): 436 authored mobs, each once,
// each with a one-bit category mask.

#include "tools/content_checks/spawnable_mob_check.h"

#include <gtest/gtest.h>

#include "content/tables/spawnable_mob.h"
#include "content_set_builder.h"

namespace {

using checks_test::expectMentions;

content_checks::CheckReport run(const std::vector<CatalogueRow>& spawners) {
  checks_test::SetBuilder set;
  set.mobs = R"([{"maxHealth": 1}, {"maxHealth": 1}, {}, {"maxHealth": 1}])";
  const auto sources = set.build();
  content_checks::CheckReport report;
  content_checks::checkSpawnableMobs(spawners, content_checks::ContentIndex(sources), report);
  return report;
}

TEST(SpawnableMobCheck, EachEntryNamesOneAuthoredMobOnceWithOneCategory) {
  const auto report = run({{0, 1}, {1, 6}, {2, 4}, {0, 8}, {3, 0}});
  expectMentions(report,
                 {"the spawner category (the released-capsule table) has 5 mobs, not 436",
                  "spawner entry 1 (mob 1) needs a one-bit category mask",
                  "spawner entry 2 (mob 2) names no authored mob", "spawner entry 3 (mob 0) is listed twice",
                  "spawner entry 4 (mob 3) needs a one-bit category mask"},
                 {"spawner entry 0 (mob 0)"});
}

TEST(SpawnableMobCheck, AFullTableOfGoodRowsPasses) {
  checks_test::SetBuilder set;
  std::string mobs = "[";
  for (size_t i = 0; i < kSpawnableMobCount; ++i) mobs += std::string(i ? "," : "") + R"({"maxHealth": 1})";
  set.mobs = mobs + "]";
  const auto sources = set.build();
  std::vector<CatalogueRow> spawners;
  for (size_t i = 0; i < kSpawnableMobCount; ++i) {
    spawners.push_back({static_cast<uint16_t>(i), static_cast<uint16_t>(1u << (i % 12))});
  }
  content_checks::CheckReport report;
  content_checks::checkSpawnableMobs(spawners, content_checks::ContentIndex(sources), report);
  EXPECT_TRUE(report.ok()) << report.describe();
}

}  // namespace
