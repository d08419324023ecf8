// The mob-to-item table against the set: authored mobs and young, trinkets that stand for their
// own mob, stable blocks that are stables, and a stable that breeds by the same rows.

#include "tools/content_checks/mob_item_check.h"

#include <gtest/gtest.h>

#include "content_set_builder.h"

namespace {

using checks_test::expectMentions;

TEST(MobItemCheck, EachRowNamesAnAuthoredMobItsOwnTrinketAndAStable) {
  checks_test::SetBuilder set;
  set.mobs = checks_test::rowList(150, {{0, R"({"maxHealth": 1})"},
                                         {1, R"({"maxHealth": 1})"},
                                         {3, R"({"maxHealth": 1})"},
                                         {146, R"({"maxHealth": 1})"},
                                         {145, R"({"maxHealth": 1})"}});
  set.treasures = R"([{"id": 27, "kind": 7, "placesBlock": 145}, {"id": 21, "kind": 7, "placesBlock": 1},
                      {"id": 22, "kind": 5}, {"id": 23, "kind": 7, "placesBlock": 0},
                      {"id": 91, "kind": 7, "placesBlock": 146}])";
  const auto sources = set.build();
  const MobItemTable table({
      {145, 0, 27, 0, 0, 146, 200, 2407},
      {1, 1, 21, 0, 1, 2, 201, 100},
      {2, 2, 22, 8, 2, mob_items::kNone, mob_items::kNone, mob_items::kNone},
      {3, 3, 23, 8, 2, mob_items::kNone, mob_items::kNone, mob_items::kNone},
      {3, 4, 24, 8, 2, mob_items::kNone, mob_items::kNone, mob_items::kNone},
      {146, 5, 91, 8, 2, mob_items::kNone, mob_items::kNone, mob_items::kNone},
  });
  content_checks::CheckReport report;
  content_checks::checkMobItems(table, content_checks::ContentIndex(sources), report);
  expectMentions(report,
                 {"row 1: the young 2 is no authored mob", "row 1: block 100 is no stable",
                  "row 2: mob 2 is no authored mob", "row 2: item 22 is no trinket that stands for mob 2",
                  "row 3: item 23 is no trinket that stands for mob 3", "row 4: item 24 is not defined",
                  "row 1: the stable keeps mob 1 with another item or block", "row 5: the stable takes item 91"},
                 {"row 0"});
}

}  // namespace
