// A picture of every planet at midday, where a new player starts on its surface, reads as day:
// sunlight reaches the exposed ground and falls off in steps, and the sky fills the open air, so
// only a bounded share of the screen is near black: the inside of the ground that no light
// reaches, more than two cells from open air.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
// A pixel is near black when none of its channels reaches this.
constexpr int kNearBlack = 40;
// The share of near-black pixels a midday picture may hold, in percent: the steepest start, a
// player on a cliff beside a hill whose inside fills a third of the screen, stays under it.
constexpr double kMostNearBlack = 40.0;

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
  }
}

}  // namespace
