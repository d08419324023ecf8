// A picture of every planet at midday, where a new player starts on its surface, reads as day:
// sunlight reaches the exposed ground and is drawn into it in steps with its depth, and the sky
// fills the open air, so only a small share of the screen is near black (the inside of a hill more
// than nine cells from open air) and no one colour covers much of it, at every window size.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool_gl/midday_shot.h"

namespace {

// A pixel is near black when none of its channels reaches this.
constexpr int kNearBlack = 40;
// The share of near-black pixels a midday picture may hold, in percent: the steepest start, a
// player on a cliff beside a hill whose inside fills half the screen, shows about 14.
constexpr double kMostNearBlack = 16.0;
// The median share over the planets: most start on open ground and show about 7.
constexpr double kMedianNearBlack = 8.0;

// The largest share of the picture one colour may cover, in percent: the open air under the hills
// shows ground, not one flat colour carried down from the sky.
constexpr double kMostOneColour = 20.0;

const char* const kPlanets[] = {"terra", "seth",  "alba",   "xeno",  "magmar", "cryo",
                                "yuca",  "lilith", "thetis", "mykon", "umbra",  "nadir"};

double nearBlackShare(const engine::Image& image) {
  const unsigned char* data = image.getData();
  long dark = 0;
  const long count = static_cast<long>(image.getWidth()) * image.getHeight();
  for (long i = 0; i < count; ++i) {
    const unsigned char* p = data + i * 4;
    if (p[0] < kNearBlack && p[1] < kNearBlack && p[2] < kNearBlack) ++dark;
  }
  return 100.0 * static_cast<double>(dark) / static_cast<double>(count);
}

double largestOneColourShare(const engine::Image& image) {
  std::unordered_map<uint32_t, long> counts;
  const unsigned char* data = image.getData();
  const long count = static_cast<long>(image.getWidth()) * image.getHeight();
  long largest = 0;
  for (long i = 0; i < count; ++i) {
    const unsigned char* p = data + i * 4;
    const uint32_t rgb = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    largest = std::max(largest, ++counts[rgb]);
  }
  return 100.0 * static_cast<double>(largest) / static_cast<double>(count);
}

TEST(WorldToolShotDaylight, AtMiddayNoPlanetIsMostlyNearBlackNorOneColourAtAnyWindowSize) {
  // The whole day phase is as light as midday; the clock starts in it.
  testsupport::TempDir dir;
  for (const world_tool_test::ViewSize size : world_tool_test::kViewSizes) {
    const std::string view = world_tool_test::viewName(size);
    std::vector<double> shares;
    for (const char* planet : kPlanets) {
      engine::Image image;
      world_tool_test::middayShot(dir, planet, size, image);
      if (::testing::Test::HasFatalFailure()) return;
      const double share = nearBlackShare(image);
      EXPECT_LT(share, kMostNearBlack) << planet << " at " << view;
      const double oneColour = largestOneColourShare(image);
      EXPECT_LE(oneColour, kMostOneColour) << planet << " at " << view;
      std::printf("%s at %s: %.1f%% near black, %.1f%% of one colour\n", planet, view.c_str(), share, oneColour);
      shares.push_back(share);
    }
    ASSERT_EQ(shares.size(), std::size(kPlanets));
    std::sort(shares.begin(), shares.end());
    const double median = (shares[shares.size() / 2 - 1] + shares[shares.size() / 2]) / 2;
    EXPECT_LT(median, kMedianNearBlack) << view;
    std::printf("median at %s: %.1f%% near black\n", view.c_str(), median);
  }
}

}  // namespace
