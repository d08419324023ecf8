// A picture of every planet at midday, where a new player starts on its surface, reads as day:
// sunlight reaches the exposed ground and is drawn into it in steps with its depth, and the sky
// fills the open air, so only a small share of the screen is near black: the inside of a hill more
// than six cells from open air.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
// A pixel is near black when none of its channels reaches this.
constexpr int kNearBlack = 40;
// The share of near-black pixels a midday picture may hold, in percent: the steepest start, a
// player on a cliff beside a hill whose inside fills half the screen, shows about 14.
constexpr double kMostNearBlack = 16.0;
// The median share over the planets: most start on open ground and show about 7.
constexpr double kMedianNearBlack = 8.0;

const char* const kPlanets[] = {"terra", "seth",  "alba",   "xeno",  "magmar", "cryo",
                                "yuca",  "lilith", "thetis", "mykon", "umbra",  "nadir"};

double nearBlackShare(const engine::Image& image) {
  const unsigned char* data = image.getData();
  long dark = 0;
  const long count = static_cast<long>(kWidth) * kHeight;
  for (long i = 0; i < count; ++i) {
    const unsigned char* p = data + i * 4;
    if (p[0] < kNearBlack && p[1] < kNearBlack && p[2] < kNearBlack) ++dark;
  }
  return 100.0 * static_cast<double>(dark) / static_cast<double>(count);
}

TEST(WorldToolShotDaylight, AtMiddayNoPlanetIsMostlyNearBlack) {
  testsupport::TempDir dir;
  // The whole day phase is as light as midday; the clock starts in it.
  const std::string script = dir.write("day.txt", "wait 1\n");
  std::vector<double> shares;
  for (const char* planet : kPlanets) {
    const std::string png = dir.file(std::string(planet) + ".png");
    const world_tool_test::Outcome played = world_tool_test::runTool(
        {"play", "--planet", planet, "--size", "0", "--seed", "7", "--script", script, "--shot", png, "--view", "960x540"});
    ASSERT_EQ(played.code, 0) << planet << ": " << played.err << played.out;
    engine::Image image;
    ASSERT_TRUE(image.initWithImageFile(png)) << planet;
    ASSERT_EQ(image.getWidth(), kWidth);
    ASSERT_EQ(image.getHeight(), kHeight);
    const double share = nearBlackShare(image);
    EXPECT_LT(share, kMostNearBlack) << planet;
    std::printf("%s: %.1f%% near black\n", planet, share);
    shares.push_back(share);
  }
  ASSERT_EQ(shares.size(), std::size(kPlanets));
  std::sort(shares.begin(), shares.end());
  const double median = (shares[shares.size() / 2 - 1] + shares[shares.size() / 2]) / 2;
  EXPECT_LT(median, kMedianNearBlack);
  std::printf("median: %.1f%% near black\n", median);
}

}  // namespace
