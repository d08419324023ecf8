// The scripted game fires what the player holds: a thrown fuse charge flies, sticks where it lands
// and blows up the ground there, as the program's own effects make it. A blasting charge placed as
// the click places it hangs on the ground's face and a torch in hand lights it.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"

namespace {

using world_tool_test::after;
using world_tool_test::reportOf;

constexpr const char* kFuseCharge = "1023";

TEST(WorldToolShots, AThrownFuseChargeSticksToTheGroundAndItsBlastBreaksIt) {
  testsupport::TempDir dir;
  {
    std::ofstream script(dir.file("fuse.txt"));
    script << "give " << kFuseCharge << " 3\n"  // line 1
           << "select 6\n"                       // line 2: the first free slot after the starter kit
           << "shoot 260 111\n"                  // line 3: at the ground four cells to the right
           << "wait 8\n";                        // line 4: the fuse burns down
  }
  const world_tool_test::Outcome played =
      world_tool_test::runTool({"play", "--planet", "terra", "--size", "0", "--seed", "7", "--script", dir.file("fuse.txt")});
  ASSERT_EQ(played.code, 0) << played.err;
  const std::string thrown = reportOf(played.out, 3);
  const std::string burnt = reportOf(played.out, 4);
  EXPECT_EQ(after(thrown, "shots "), "1") << thrown;
  EXPECT_EQ(after(burnt, "shots "), "0") << "the charge is spent";
  EXPECT_NE(after(burnt, "checksum "), after(thrown, "checksum ")) << "the blast broke the ground";
  EXPECT_NE(after(burnt, "entities "), "0:") << "what it broke lies about";
}

TEST(WorldToolShots, APlacedChargeIsLitByATorchAndBursts) {
  testsupport::TempDir dir;
  {
    std::ofstream script(dir.file("charge.txt"));
    script << "give 1040 3\n"     // line 1: blasting charges
           << "select 6\n"        // line 2
           << "place 257 111\n"   // line 3: on the face of the ground beside her
           << "select 5\n"        // line 4: the starter kit's torches
           << "use 257 111\n"     // line 5: the torch lights the fuse
           << "wait 8\n";         // line 6: it burns down
  }
  const world_tool_test::Outcome played =
      world_tool_test::runTool({"play", "--planet", "terra", "--size", "0", "--seed", "7", "--script", dir.file("charge.txt")});
  ASSERT_EQ(played.code, 0) << played.err;
  const std::string placed = reportOf(played.out, 3);
  EXPECT_NE(placed.find(" 1040x2 "), std::string::npos) << "one charge spent: " << placed;
  EXPECT_NE(placed.find(" 149x8 "), std::string::npos) << placed;
  const std::string lit = reportOf(played.out, 5);
  EXPECT_NE(after(lit, "checksum "), after(reportOf(played.out, 4), "checksum ")) << "the fuse burns";
  EXPECT_NE(lit.find(" 149x8 "), std::string::npos) << "the torch is kept, not placed: " << lit;
  const std::string burnt = reportOf(played.out, 6);
  EXPECT_NE(after(burnt, "checksum "), after(lit, "checksum ")) << "the blast broke the ground";
  EXPECT_NE(after(burnt, "entities "), "0:") << "what it broke lies about";
}

TEST(WorldToolShots, AnItemThatFiresNothingIsRefusedWithItsReason) {
  testsupport::TempDir dir;
  {
    std::ofstream script(dir.file("dud.txt"));
    script << "select 5\nshoot 260 111\n";
  }
  const world_tool_test::Outcome played =
      world_tool_test::runTool({"play", "--planet", "terra", "--size", "0", "--seed", "7", "--script", dir.file("dud.txt")});
  EXPECT_EQ(played.code, 1);
  EXPECT_NE(played.err.find("script line 2 refused: the held item"), std::string::npos) << played.err;
}

}  // namespace
