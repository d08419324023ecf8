// Pictures of played games where open air meets the ground on Terra (seed 7, the smallest size):
// the wall behind a dug shaft in daylight is drawn well apart from the ground beside it, a room dug
// off the shaft shows its wall in the daylight the shaft lets in instead of black, a one-cell dip in
// the floor of a valley open to the sky shows the sky instead of a black square, and a player
// standing in the room at night still reads as a figure.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool_gl/midday_shot.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kCell = 60;  // a cell on the screen at the view's default scale

// The player starts at (256, 112) on grass. The shaft goes down from the grass at column 256 to
// row 98, where the room opens two cells to either side (two rows high next to the shaft).
std::string shaftTo(int bottom) {
  std::string script;
  for (int y = 111; y >= bottom; --y) script += "select 1\nmine 256 " + std::to_string(y) + "\nwait 1\n";
  return script;
}
std::string roomAt98() {
  std::string script = shaftTo(98);
  for (const char* cell : {"255 98", "257 98", "255 99", "257 99", "254 98", "258 98"}) {
    script += std::string("select 1\nmine ") + cell + "\nwait 1\n";
  }
  return script;
}
// Long enough for the day and the dusk to pass: the night is at its darkest.
const std::string kNight = "wait 420\n";

struct Shot {
  engine::Image image;
  int playerX = 0, playerY = 0;  // the player's cell, at the middle of the picture
};

// Plays the script and reads the picture and the cell the player ends in.
void play(const testsupport::TempDir& dir, const std::string& name, const std::string& script, Shot& shot) {
  std::string printed;
  world_tool_test::scriptShot(dir, "terra", name, script, {kWidth, kHeight}, shot.image, &printed);
  if (::testing::Test::HasFatalFailure()) return;
  const size_t last = printed.rfind(": cell (");
  ASSERT_NE(last, std::string::npos) << printed;
  ASSERT_EQ(std::sscanf(printed.c_str() + last, ": cell (%d, %d)", &shot.playerX, &shot.playerY), 2);
}

struct Area {
  int mean[3] = {};  // red, green, blue
  int brightest = 0;  // the largest channel of any pixel
  int brightness() const { return (mean[0] + mean[1] + mean[2]) / 3; }
  bool nearBlack() const { return std::max({mean[0], mean[1], mean[2]}) < 48; }
};

Area areaOf(const Shot& shot, int left, int top, int width, int height) {
  Area a;
  long sum[3] = {};
  for (int py = top; py < top + height; ++py) {
    for (int px = left; px < left + width; ++px) {
      const unsigned char* p = shot.image.getData() + (static_cast<size_t>(py) * kWidth + static_cast<size_t>(px)) * 4;
      for (size_t c = 0; c < 3; ++c) {
        sum[c] += p[c];
        a.brightest = std::max<int>(a.brightest, p[c]);
      }
    }
  }
  for (size_t c = 0; c < 3; ++c) a.mean[c] = static_cast<int>(sum[c] / (static_cast<long>(width) * height));
  return a;
}

// The middle half of the cell (x, y).
Area cellOf(const Shot& shot, int x, int y) {
  const int cx = kWidth / 2 + (x - shot.playerX) * kCell;
  const int cy = kHeight / 2 - (y - shot.playerY) * kCell;
  return areaOf(shot, cx - kCell / 4, cy - kCell / 4, kCell / 2, kCell / 2);
}

TEST(WorldToolShotShade, TheWallBehindAShaftInDaylightIsDrawnWellApartFromTheGroundBesideIt) {
  testsupport::TempDir dir;
  Shot shot;
  play(dir, "shaft", shaftTo(106), shot);
  if (::testing::Test::HasFatalFailure()) return;
  ASSERT_EQ(shot.playerX, 256);
  ASSERT_EQ(shot.playerY, 106);
  // Two cells above the player: the shaft's wall, between the dirt either side of it.
  const int wall = cellOf(shot, 256, 108).brightness();
  const int ground = std::min(cellOf(shot, 255, 108).brightness(), cellOf(shot, 257, 108).brightness());
  EXPECT_GT(ground, 60) << "the ground beside the shaft is in daylight";
  EXPECT_LE(wall * 100, ground * 58) << "wall " << wall << ", ground " << ground;
  EXPECT_FALSE(cellOf(shot, 256, 108).nearBlack()) << "a wall in the sun, not a hole";
}

TEST(WorldToolShotShade, ARoomDugOffAShaftShowsItsWallInTheDaylightTheShaftLetsIn) {
  testsupport::TempDir dir;
  Shot shot;
  play(dir, "room", roomAt98(), shot);
  if (::testing::Test::HasFatalFailure()) return;
  ASSERT_EQ(shot.playerY, 98);
  // The room's upper cells either side of the shaft, fourteen rows under the grass.
  for (const int x : {255, 257}) {
    const Area open = cellOf(shot, x, 99);
    EXPECT_FALSE(open.nearBlack()) << "(" << x << ", 99): " << open.mean[0] << ", " << open.mean[1] << ", "
                                   << open.mean[2];
  }
}

TEST(WorldToolShotShade, AOneCellDipInAValleyFloorOpenToTheSkyShowsTheSky) {
  testsupport::TempDir dir;
  Shot shot;
  // Right of the start the ground falls into a valley below the surface line; its floor has a
  // one-cell dip at (272, 103), open to the sky, with nothing behind it.
  play(dir, "dip", "walk right 120\nwait 2\n", shot);
  if (::testing::Test::HasFatalFailure()) return;
  ASSERT_EQ(shot.playerX, 266);
  ASSERT_EQ(shot.playerY, 102);
  const Area dip = cellOf(shot, 272, 103);
  const Area sky = cellOf(shot, 272, 104);  // the open air over it
  EXPECT_FALSE(dip.nearBlack()) << dip.mean[0] << ", " << dip.mean[1] << ", " << dip.mean[2];
  EXPECT_GT(dip.brightness() * 2, sky.brightness()) << "the dip shows what the open air above it shows";
}

TEST(WorldToolShotShade, AtNightAPlayerInADarkRoomStillReadsAsAFigure) {
  testsupport::TempDir dir;
  Shot shot;
  play(dir, "night", roomAt98() + "walk left 30\n" + kNight, shot);
  if (::testing::Test::HasFatalFailure()) return;
  // The player's body at the middle of the picture: head to feet, half a cell wide.
  const Area player = areaOf(shot, kWidth / 2 - 13, kHeight / 2 - 32, 30, 50);
  EXPECT_GT(player.brightest, 80) << "her face and shirt show";
  EXPECT_GT(player.brightness(), 20) << "not a black cut-out";
}

}  // namespace
