// A picture of a new player at midday holding its pickaxe shows the whole face it shows with empty
// hands: the tool rests held ahead of the body, clear of the face. The face is found in the picture
// with empty hands as the most common light, warm colour around the player (the skin).

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
constexpr int kAround = 100;  // screen pixels around the middle where the player stands

using Colour = std::tuple<int, int, int>;

Colour colourAt(const engine::Image& image, int x, int y) {
  const unsigned char* p = image.getData() + (static_cast<size_t>(y) * kWidth + x) * 4;
  return {p[0], p[1], p[2]};
}

// The places of the face's pixels: the most common skin-like colour (light, red over green over
// blue, with the blue of skin rather than a flower's yellow at her feet) around the middle.
std::vector<std::pair<int, int>> facePixels(const engine::Image& image, Colour& skin) {
  std::map<Colour, int> counts;
  for (int y = kHeight / 2 - kAround; y < kHeight / 2 + kAround; ++y) {
    for (int x = kWidth / 2 - kAround; x < kWidth / 2 + kAround; ++x) {
      const Colour c = colourAt(image, x, y);
      const auto [r, g, b] = c;
      if (r > 150 && r > g && g > b && r - b > 30 && b > 120) ++counts[c];
    }
  }
  int best = 0;
  for (const auto& [c, n] : counts) {
    if (n > best) best = n, skin = c;
  }
  std::vector<std::pair<int, int>> face;
  for (int y = kHeight / 2 - kAround; y < kHeight / 2 + kAround; ++y) {
    for (int x = kWidth / 2 - kAround; x < kWidth / 2 + kAround; ++x) {
      if (best > 0 && colourAt(image, x, y) == skin) face.emplace_back(x, y);
    }
  }
  return face;
}

bool shoot(const testsupport::TempDir& dir, const std::string& name, const std::string& script, engine::Image& image) {
  const std::string png = dir.file(name + ".png");
  const world_tool_test::Outcome played = world_tool_test::runTool(
      {"play", "--planet", "terra", "--size", "0", "--seed", "7", "--script", dir.write(name + ".txt", script), "--shot",
       png, "--view", "960x540"});
  EXPECT_EQ(played.code, 0) << played.err << played.out;
  return played.code == 0 && image.initWithImageFile(png) && image.getWidth() == kWidth && image.getHeight() == kHeight;
}

TEST(WorldToolShotHeld, TheRestingPickaxeLeavesTheFaceClear) {
  testsupport::TempDir dir;
  engine::Image empty;
  engine::Image holding;
  // The new player's first quick slot holds its pickaxe; the last is empty.
  ASSERT_TRUE(shoot(dir, "empty", "select 9\nwait 1\n", empty));
  ASSERT_TRUE(shoot(dir, "holding", "select 0\nwait 1\n", holding));
  Colour skin;
  const std::vector<std::pair<int, int>> face = facePixels(empty, skin);
  ASSERT_GT(face.size(), 60u) << "the face shows with empty hands";
  size_t covered = 0;
  for (const auto& [x, y] : face) covered += colourAt(holding, x, y) != skin;
  EXPECT_EQ(covered, 0u) << "of " << face.size() << " face pixels";
  bool toolShows = false;
  for (int y = kHeight / 2 - kAround; y < kHeight / 2 + kAround && !toolShows; ++y) {
    for (int x = kWidth / 2 - kAround; x < kWidth / 2 + kAround && !toolShows; ++x) {
      toolShows = colourAt(holding, x, y) != colourAt(empty, x, y);
    }
  }
  EXPECT_TRUE(toolShows) << "the pickaxe is drawn";
}

}  // namespace
