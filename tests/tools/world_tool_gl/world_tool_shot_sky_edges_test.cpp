// The sky reaches the window's sides as a picture, not as its edge columns smeared sideways: in
// the top rows of a midday picture, where only the sky shows, neighbouring columns near the
// window's sides differ as often as those in its middle, at every window size the game offers.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool_gl/midday_shot.h"

namespace {

// The rows read, a quarter of the window's height: above every hill and block at the start of
// these planets.
int skyRows(const engine::Image& image) { return image.getHeight() / 4; }
// The band at each side read against the window's middle, 3/16 of the width (240 pixels at
// 1280x720, where the picture's edge columns used to be smeared over the outer 296).
int bandOf(const engine::Image& image) { return image.getWidth() * 3 / 16; }

bool columnsDiffer(const engine::Image& image, int x) {
  const unsigned char* data = image.getData();
  const size_t width = static_cast<size_t>(image.getWidth());
  for (int y = 0; y < skyRows(image); ++y) {
    const unsigned char* a = data + (static_cast<size_t>(y) * width + static_cast<size_t>(x)) * 4;
    for (int c = 0; c < 3; ++c) {
      if (a[c] != a[4 + c]) return true;
    }
  }
  return false;
}

// The share of columns from `from` (inclusive) to `to` (exclusive) that differ from the next one.
double changingShare(const engine::Image& image, int from, int to) {
  int changing = 0;
  for (int x = from; x < to; ++x) changing += columnsDiffer(image, x) ? 1 : 0;
  return static_cast<double>(changing) / static_cast<double>(to - from);
}

TEST(WorldToolShotSkyEdges, TheSkysEdgeColumnsChangeAsItsMiddleColumnsDoAtEveryWindowSize) {
  testsupport::TempDir dir;
  for (const char* planet : {"thetis", "nadir"}) {
    for (const world_tool_test::ViewSize size : world_tool_test::kViewSizes) {
      const std::string view = world_tool_test::viewName(size);
      engine::Image image;
      world_tool_test::middayShot(dir, planet, size, image);
      if (::testing::Test::HasFatalFailure()) return;
      const int middle = size.width / 2, kBand = bandOf(image);
      const double inMiddle = changingShare(image, middle - kBand, middle + kBand);
      const double atLeft = changingShare(image, 0, kBand);
      const double atRight = changingShare(image, size.width - 1 - kBand, size.width - 1);
      std::printf("%s at %s: %.2f %.2f %.2f of the columns change\n", planet, view.c_str(), atLeft, inMiddle, atRight);
      ASSERT_GT(inMiddle, 0.2) << planet << " at " << view << ": the sky's own picture changes from column to column";
      EXPECT_GT(atLeft, inMiddle / 2) << planet << " at " << view << ": smeared on the left";
      EXPECT_GT(atRight, inMiddle / 2) << planet << " at " << view << ": smeared on the right";
    }
  }
}

}  // namespace
