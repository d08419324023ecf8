// The scripted game hunts and fishes as a player does: a mob released from a spawner at the
// player's feet is shot dead with a bow (arrows in the ammunition slot); a rod cast from the shore
// of the sea lands a fish, which the player swims out for. The statistics count the kill and the
// catch. The scripts' words that aim at a mob and wait for a bite parse as documented.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "game/fishing/catch_table.h"
#include "game/stats/stats_store.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"
#include "tests/tools/world_tool/test_character.h"
#include "tools/world_tool/play_script.h"

namespace {

using world_tool_test::after;
using world_tool_test::reportOf;

constexpr uint16_t kShortBow = 775;
constexpr uint16_t kArrow = 916;
constexpr uint16_t kRod = 15;
constexpr uint16_t kCorkBait = 16;
constexpr uint16_t kTerraSpawner = 913;
constexpr uint16_t kSquirrel = 43;  // a small walker of the first planet that one arrow kills

// A character with a bow and a rod in its quick row, `ammunition` in the ammunition slot.
void writeHunter(const std::string& path, uint16_t ammunition) {
  CharacterRecord record = world_tool_test::madeCharacter("Hunter");
  record.firstRow[0] = {0, kShortBow, 1, 0, 0};
  record.firstRow[1] = {0, kRod, 1, 0, 0};
  record.firstSingle = {0, ammunition, 20, 0, 0};
  world_tool_test::writeCharacter(path, record);
}

world_tool_test::Outcome play(const testsupport::TempDir& dir, const std::string& planet, const std::string& script) {
  return world_tool_test::runTool({"play", "--planet", planet, "--size", "0", "--seed", "7", "--script",
                                   dir.write("script.txt", script), "--character", dir.file("Hunter.dat")});
}

// The spawner is thrown at the player's own cell: the mob comes out at the player's feet. She steps
// a cell back before she shoots: an arrow leaves the bow at full shot speed, and one aimed down at
// her own feet would strike the ground under the mob before it could meet it.
TEST(WorldToolHunt, AMobReleasedAtThePlayersFeetIsShotDeadWithABow) {
  testsupport::TempDir dir;
  writeHunter(dir.file("Hunter.dat"), kArrow);
  const uint32_t kills = statsStore().counter(stat_number::kKilled);
  const uint32_t squirrelsKilled = statsStore().statCategoryCount(stat_category::kKilled, kSquirrel);
  const std::string squirrel = "mob " + std::to_string(kSquirrel) + "@";
  const world_tool_test::Outcome played =
      play(dir, "terra",
           "wait 1\n"           // 1
           "give " + std::to_string(kTerraSpawner) + " 1 " + std::to_string(kSquirrel) + "\n"  // 2
           "select 2\n"         // 3: where the spawner landed
           "shoot 256 112\n"    // 4: at the player's own cell
           "wait 1\n"           // 5: it breaks and lets the mob out
           "select 0\n"         // 6: the bow
           "walk left 20\n"     // 7
           "shoot mob\n"        // 8
           "wait 2\n");         // 9
  ASSERT_EQ(played.code, 0) << played.err << played.out;
  EXPECT_NE(reportOf(played.out, 5).find(squirrel + "(256,112)"), std::string::npos) << played.out;
  EXPECT_EQ(after(reportOf(played.out, 8), "shots "), "1") << "the arrow flies";
  EXPECT_EQ(reportOf(played.out, 9).find(squirrel), std::string::npos) << "it is gone: " << played.out;
  EXPECT_EQ(statsStore().counter(stat_number::kKilled), kills + 1);
  EXPECT_EQ(statsStore().statCategoryCount(stat_category::kKilled, kSquirrel), squirrelsKilled + 1);
}

TEST(WorldToolHunt, ARodCastFromTheShoreLandsAFishThatThePlayerSwimsOutFor) {
  testsupport::TempDir dir;
  writeHunter(dir.file("Hunter.dat"), kCorkBait);
  const uint32_t caught = statsStore().platformValue(0);
  // The spawn stands on a hill away from the water; the shore is at column 251, the sea one cell
  // right of it and two cells down.
  const world_tool_test::Outcome played = play(dir, "thetis",
                                               "walk to 251\n"      // 1: down the hill
                                               "walk right 10\n"    // 2: off its last step, to the edge
                                               "select 1\n"         // 3: the rod
                                               "shoot 253 116\n"    // 4: cast
                                               "reel\n"             // 5
                                               "settle\n"           // 6: the catch comes down in the water
                                               "walk right 7\n"     // 7: into the sea
                                               "walk left 12\n"     // 8: and back to where the fish lies
                                               "wait 2\n");         // 9
  ASSERT_EQ(played.code, 0) << played.err << played.out;
  EXPECT_EQ(after(reportOf(played.out, 4), "shots "), "1") << "the bobber is out";
  const std::string landed = after(reportOf(played.out, 6), "entities 1: ");
  const std::string fish = landed.substr(0, landed.find('x'));
  ASSERT_FALSE(fish.empty()) << "the catch lies in the world: " << played.out;
  const bool ofTheCatchTable = std::any_of(catchTable().begin(), catchTable().end(),
                                           [&fish](const CatchRow& row) { return std::to_string(row.rule.itemId) == fish; });
  EXPECT_TRUE(ofTheCatchTable) << fish;
  EXPECT_NE(reportOf(played.out, 9).find(" " + fish + "x1 "), std::string::npos) << "picked up: " << played.out;
  EXPECT_EQ(statsStore().platformValue(0), caught + 1) << "one fish caught";
  EXPECT_GE(statsStore().statCategoryCount(stat_category::kFishCaught, static_cast<uint16_t>(std::stoi(fish))), 1u);
}

TEST(WorldToolHunt, ReelingWithNoBobberOutIsRefusedWithItsReason) {
  testsupport::TempDir dir;
  writeHunter(dir.file("Hunter.dat"), kCorkBait);
  const world_tool_test::Outcome played = play(dir, "terra", "reel\n");
  EXPECT_EQ(played.code, 1);
  EXPECT_NE(played.err.find("script line 1 refused: no bobber of the player is out"), std::string::npos) << played.err;
  const world_tool_test::Outcome noMob = play(dir, "terra", "select 0\nshoot mob\n");
  EXPECT_EQ(noMob.code, 1);
  EXPECT_NE(noMob.err.find("script line 2 refused: no mob within 10 cells"), std::string::npos) << noMob.err;
}

TEST(WorldToolHunt, TheWordsThatAimAtAMobWaitForABiteAndGiveAWordParse) {
  std::string error;
  const auto steps = world_tool::parsePlayScript("shoot mob\nreel\ngive 913 2 5\ngive 913 2\n", error);
  ASSERT_TRUE(steps) << error;
  ASSERT_EQ(steps->size(), 4u);
  EXPECT_EQ((*steps)[0].verb, world_tool::PlayVerb::ShootMob);
  EXPECT_EQ((*steps)[1].verb, world_tool::PlayVerb::Reel);
  EXPECT_EQ((*steps)[2].word, 5u);
  EXPECT_EQ((*steps)[3].word, 0u);
  for (const char* bad : {"shoot mobs\n", "reel 3\n", "give 913 2 -1\n", "give 913 2 70000\n", "give 913 2 5 6\n"}) {
    EXPECT_FALSE(world_tool::parsePlayScript(bad, error)) << bad;
  }
}

}  // namespace
