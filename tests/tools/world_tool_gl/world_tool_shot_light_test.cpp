// A picture of a played game at night shows the lights the player brought: a torch in the player's
// hand lights the ground around the player, and a torch the player set down lights the ground
// around it, where the same night without them is dark.

#include <gtest/gtest.h>

#include <string>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool_gl/midday_shot.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
constexpr int kCell = 60;  // a cell on the screen at the view's default scale
// Terra, seed 7: the player starts at (256, 112) on grass, with grass on either side.
constexpr int kStartX = 256;
constexpr int kStartY = 112;
// Long enough for the day and the dusk to pass: the night is at its darkest.
const std::string kNight = "wait 420\n";

struct Shot {
  engine::Image image;
};

void play(const testsupport::TempDir& dir, const std::string& name, const std::string& script, Shot& shot) {
  world_tool_test::scriptShot(dir, "terra", name, script, {kWidth, kHeight}, shot.image);
}

// The mean of red, green and blue over the middle half of the cell (x, y), the player standing
// still at the start.
int brightnessOf(const Shot& shot, int x, int y) {
  const int cx = kWidth / 2 + (x - kStartX) * kCell;
  const int cy = kHeight / 2 - (y - kStartY) * kCell;
  long sum = 0, count = 0;
  for (int py = cy - kCell / 4; py < cy + kCell / 4; ++py) {
    for (int px = cx - kCell / 4; px < cx + kCell / 4; ++px) {
      const size_t at = (static_cast<size_t>(py) * kWidth + static_cast<size_t>(px)) * 4;
      for (size_t c = 0; c < 3; ++c) sum += shot.image.getData()[at + c];
      count += 3;
    }
  }
  return static_cast<int>(sum / count);
}

TEST(WorldToolShotLight, AtNightTheTorchInHandAndTheTorchSetDownLightTheGroundAroundThem) {
  testsupport::TempDir dir;
  Shot dark, held, set;
  // Slot 0 holds the pickaxe, slot 1 the shovel, slot 5 the starter kit's torches. The torch goes
  // into a cell dug out of the grass right of the player, where the walls either side hold it.
  play(dir, "dark", "select 0\n" + kNight, dark);
  play(dir, "held", "select 5\n" + kNight, held);
  play(dir, "set", "select 1\nmine 257 111\nselect 5\nplace 257 111\nselect 0\n" + kNight, set);
  if (::testing::Test::HasFatalFailure()) return;  // no picture to read
  // The grass left of the player's feet, and the dirt under the torch.
  const int nearPlayer = brightnessOf(dark, kStartX - 1, kStartY - 1);
  const int underTorch = brightnessOf(dark, kStartX + 1, kStartY - 2);
  EXPECT_LT(nearPlayer, 40) << "the night is dark";
  EXPECT_LT(underTorch, 40) << "the night is dark";
  // The ground's face sits a step behind the open air the carried torch fills.
  EXPECT_GT(brightnessOf(held, kStartX - 1, kStartY - 1), nearPlayer + 25) << "the torch in hand";
  EXPECT_GT(brightnessOf(set, kStartX + 1, kStartY - 2), underTorch + 30) << "the torch set down";
}

}  // namespace
