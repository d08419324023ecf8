// The scripted game end to end: a furnished character mines (the dirt falls as an item and is
// picked up), places a workbench, crafts at it,
// sleeps through a night and saves; the saved world and character, loaded again, are the ones
// that were saved. Scripts that do not parse are refused with their line.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "saves/character/character_record.h"
#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"
#include "tests/tools/world_tool/test_character.h"
#include "tools/world_tool/play_script.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"

namespace {

constexpr uint16_t kShovel = 2;
constexpr uint16_t kWorkbench = 24;
constexpr uint16_t kBoard = 1602;
constexpr uint16_t kPost = 3304;
constexpr uint16_t kCrafted = 152;
constexpr uint16_t kDirt = 263;

using world_tool_test::Outcome;
using world_tool_test::reportOf;
using world_tool_test::runTool;

std::string checksumOf(const std::string& report) {
  const size_t at = report.find("checksum ");
  return at == std::string::npos ? std::string() : report.substr(at + 9);
}

void writeDigger(const std::string& path) {
  CharacterRecord record = world_tool_test::madeCharacter("Digger");
  record.firstRow[0] = {0, kShovel, 1, 60, 0};
  record.firstRow[1] = {0, kWorkbench, 1, 0, 0};
  record.backpack[0] = {0, kBoard, 5, 0, 0};
  record.backpack[1] = {0, kPost, 4, 0, 0};
  world_tool_test::writeCharacter(path, record);
}

TEST(WorldToolPlay, AScriptedGameMinesCraftsSleepsSavesAndLoadsBackTheSameWorldAndCharacter) {
  testsupport::TempDir dir;
  const std::string character = dir.file("Digger.dat");
  writeDigger(character);
  std::ofstream(dir.file("game.txt")) << "wait 1\n"              // 1
                                         "select 0\n"            // 2
                                         "mine 256 111\n"        // 3: the shovel digs the dirt below
                                         "settle\n"              // 4: the dirt and the player fall into the hole
                                         "wait 1\n"              // 5
                                         "select 1\n"            // 6
                                         "place 255 112\n"       // 7: the workbench beside the player
                                         "use 255 112\n"         // 8: stand at it
                                         "craft 152\n"           // 9
                                         "sleep\n"               // 10
                                         "save\n"                // 11
                                         "load\n";               // 12
  const Outcome played = runTool({"play", "--planet", "terra", "--size", "0", "--seed", "7", "--script",
                                  dir.file("game.txt"), "--character", character, "--save", dir.file("World.dat")});
  ASSERT_EQ(played.code, 0) << played.err << played.out;
  EXPECT_NE(checksumOf(reportOf(played.out, 1)), checksumOf(reportOf(played.out, 3))) << "the dig changed a cell";
  EXPECT_NE(reportOf(played.out, 3).find("entities 1: " + std::to_string(kDirt) + "x1@(256,111)"), std::string::npos)
      << "the dug dirt is an item in the world: " << played.out;
  EXPECT_NE(reportOf(played.out, 4).find(" " + std::to_string(kDirt) + "x1 "), std::string::npos) << played.out;
  EXPECT_NE(reportOf(played.out, 4).find("entities 0:"), std::string::npos)
      << "the player fell into the hole and took the dirt where it came to rest: " << played.out;
  EXPECT_NE(reportOf(played.out, 9).find(std::to_string(kCrafted) + "x1"), std::string::npos) << played.out;
  EXPECT_EQ(reportOf(played.out, 9).find(std::to_string(kBoard) + "x"), std::string::npos) << "ingredients taken";
  const std::string saved = reportOf(played.out, 11);
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(reportOf(played.out, 12), saved) << "the loaded world and character are the saved ones";

  const Outcome loaded = runTool({"load", dir.file("World.dat")});
  ASSERT_EQ(loaded.code, 0) << loaded.err;
  EXPECT_NE(loaded.out.find("checksum " + checksumOf(saved)), std::string::npos) << loaded.out;
  const Outcome digger = runTool({"load", character});
  ASSERT_EQ(digger.code, 0) << digger.err;
  EXPECT_NE(digger.out.find("character Digger"), std::string::npos);
}

TEST(WorldToolPlay, ScriptsThatDoNotParseAreRefusedWithTheirLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"wait 1\nfly 3\n", "line 2: unknown action 'fly'"},
      {"mine 3\n", "line 1: wrong arguments for 'mine'"},
      {"walk up 3\n", "line 1: expected: walk left|right FRAMES, or walk to COLUMN"},
      {"select 10\n", "line 1: wrong arguments for 'select'"},
      {"wait -1\n", "line 1: wrong arguments for 'wait'"},
      {"wait -0\n", "line 1: wrong arguments for 'wait'"},
      {"mine -0 5\n", "line 1: wrong arguments for 'mine'"},
      {"settle 3\n", "line 1: wrong arguments for 'settle'"},
      {"craft 99999999999\n", "line 1: wrong arguments for 'craft'"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(world_tool::parsePlayScript(c.text, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
  std::string error;
  const auto steps = world_tool::parsePlayScript("# comment\n\n  walk left 12 \r\nmine 4 5\n", error);
  ASSERT_TRUE(steps) << error;
  ASSERT_EQ(steps->size(), 2u);
  EXPECT_EQ((*steps)[0].verb, world_tool::PlayVerb::WalkLeft);
  EXPECT_EQ((*steps)[0].a, 12);
  EXPECT_EQ((*steps)[1].line, 4);
  EXPECT_EQ((*steps)[1].b, 5);
}

}  // namespace

namespace {

// The night's hostile mobs of the first planet (its spawn row for group 2).
bool isNightMob(const std::string& report, size_t& from) {
  static const char* const kNight[] = {"2", "4", "103", "232", "239", "240", "241", "251", "253", "256", "184", "188"};
  for (const char* id : kNight) {
    if (report.find(std::string(" mob ") + id + "@", from) != std::string::npos) return true;
  }
  return false;
}

float healthOf(const std::string& report) {
  const size_t at = report.find("health ");
  return at == std::string::npos ? -1.0f : std::stof(report.substr(at + 7));
}

int mobsInWorld(const std::string& report) {
  const size_t at = report.find(" of ", report.find(" mobs "));
  return at == std::string::npos ? -1 : std::stoi(report.substr(at + 4));
}

}  // namespace

// Standing on the surface into the night: the spawner fills its groups, a hostile night mob walks
// up to the player and its touch hurts.
TEST(WorldToolPlay, OnANightSurfaceMobsSpawnApproachAndHurtThePlayer) {
  testsupport::TempDir dir;
  std::string script = "wait 400\n";  // the day and the dusk
  constexpr int kWaits = 40;
  for (int i = 0; i < kWaits; ++i) script += "wait 5\n";
  std::ofstream(dir.file("night.txt")) << script;
  const Outcome played =
      runTool({"play", "--planet", "terra", "--size", "0", "--seed", "30", "--script", dir.file("night.txt")});
  ASSERT_EQ(played.code, 0) << played.err << played.out;
  const std::string first = reportOf(played.out, 1);
  size_t from = 0;
  EXPECT_FALSE(isNightMob(first, from)) << first;
  EXPECT_FLOAT_EQ(healthOf(first), 5.0f);
  int approachedAt = 0;
  int hurtAt = 0;
  for (int line = 2; line <= kWaits + 1; ++line) {
    const std::string report = reportOf(played.out, line);
    from = report.find(" mobs ");
    if (approachedAt == 0 && isNightMob(report, from)) approachedAt = line;
    if (hurtAt == 0 && healthOf(report) < 5.0f) hurtAt = line;
  }
  EXPECT_GT(mobsInWorld(reportOf(played.out, kWaits + 1)), mobsInWorld(first)) << "the night's groups spawned";
  ASSERT_NE(approachedAt, 0) << played.out;
  EXPECT_GE(hurtAt, approachedAt) << "the hurt came with the night mob";
}
