#include "tools/content_checks/fixed_id_checks.h"

#include <gtest/gtest.h>

#include "content_set_builder.h"

namespace {

using checks_test::expectMentions;
using checks_test::rowList;
using checks_test::SetBuilder;
using content_checks::CheckReport;

CheckReport run(const SetBuilder& set) {
  const auto sources = set.build();
  CheckReport report;
  content_checks::checkFixedIds(content_checks::ContentIndex(sources), report);
  return report;
}

TEST(FixedIdChecks, BlockFlagsVariantsItemKindsAndPlacedBlocksAreCheckedOnTheirRow) {
  SetBuilder set;
  set.blocks = R"([{"id": 84, "flags": "0x4"}, {"id": 117, "variantCount": 1}])";
  set.treasures = R"([{"id": 2, "kind": 5}, {"id": 24, "kind": 4, "placesBlock": 33},
                      {"id": 88, "kind": 4, "placesBlock": 33}])";
  expectMentions(run(set),
                 {"blocks.json, row 0: block 84 (bedrock (must not be breakable)) must not have flag 2",
                  "blocks.json, row 1: block 117 (shadow edge drawn by the view (one variant per side)) "
                  "needs at least 4 variants, has 1",
                  "treasures.json, row 0: item 2 (tool counted by an achievement) must be of kind 1, is 5",
                  "treasures.json, row 1: item 24 (workbench) must place block 32, places 33"},
                 {"item 88 ("});
}

TEST(FixedIdChecks, FishingRodMustShootABobber) {
  SetBuilder set;
  set.treasures = R"([{"id": 15, "kind": 6}, {"id": 79, "kind": 6}, {"id": 143, "kind": 6}])";
  set.rangeds = R"([{"item": 15, "bulletRow": 4}, {"item": 79, "bulletRow": 5}, {"item": 143, "bulletRow": 900}])";
  set.bullets = R"([{}, {}, {}, {}, {"bobber": 1, "size": [4, 4]}, {"size": [4, 4]}])";
  // A row outside the table is a fault too, not a crash.
  expectMentions(run(set),
                 {"rangeds.json, row 1: item 79 (fishing rod) must fire a projectile row with the bobber flag (row 5",
                  "item 143 (fishing rod) must fire a projectile row with the bobber flag (row 900"},
                 {"item 15 (", "no projectile row has the bobber flag"});
}

TEST(FixedIdChecks, MissingIdsEmptyMobRowsUnknownMovementKindsAndStickyProjectiles) {
  SetBuilder set;
  set.mobs = rowList(84, {{83, R"({"maxHealth": 10, "movementKind": 4})"}});
  set.bullets = rowList(97, {{9, R"({"size": [4, 4], "stick": 1})"}, {92, R"({"size": [4, 4]})"}});
  expectMentions(run(set),
                 {"blocks.json: block 84 (bedrock (must not be breakable)) is not defined",
                  "treasures.json: item 2126 (potion) is not defined",
                  "no projectile row has the bobber flag",
                  "mobs.json, row 83: mob 83 (exploding mob) has movement kind 4",
                  "mobs.json, row 5: mob 5 (stable animal) has no health",
                  "bullets.json, row 92: projectile row 92 (sticky explosive projectile) needs the stick flag"},
                 {"row 9 ("});
}

TEST(FixedIdChecks, EmptyCellMayNotBeASolidBlockOrAnItem) {
  SetBuilder solid;
  solid.blocks = R"([{"id": 0, "flags": "0x800000", "transparency": 1}])";
  solid.treasures = R"([{"id": 0, "kind": 15}])";
  expectMentions(run(solid), {"blocks.json, row 0: block 0 is the empty cell",
                              "treasures.json, row 0: item 0 reads back from saves as no item"});
}

TEST(FixedIdChecks, VariantsMustNotCoverAnotherBlocksSpriteCells) {
  SetBuilder set;
  set.blocks = R"([{"id": 117, "variantCount": 4}, {"id": 119}, {"id": 2128, "variantCount": 16}, {"id": 2144}])";
  set.treasures = R"([{"id": 500, "kind": 4, "placesBlock": 255}, {"id": 913, "kind": 6, "placesBlock": 255},
                      {"id": 501, "kind": 4, "placesBlock": 2130}])";
  // A spawning item (913) keeps a mob row in that field, so 255 there is no block.
  expectMentions(run(set),
                 {"blocks.json, row 1: block 119 sits on a sprite cell of block 117's 4 variants",
                  "treasures.json, row 0: item 500 places block 255", "item 501 places block 2130"},
                 {"block 2144 sits", "item 913 places"});
}

}  // namespace
