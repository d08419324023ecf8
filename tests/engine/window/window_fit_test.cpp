// A window asked for at a size is fitted into the monitor's work area and centred there.
#include "engine/window/window_fit.h"

#include <gtest/gtest.h>

namespace {

using engine::FrameEdges;
using engine::fitWindowToWorkArea;
using engine::ScreenRect;

TEST(WindowFit, ALargerWindowShrinksToTheWorkAreaAndASmallerOneIsCentredInIt) {
  const ScreenRect screen{0, 0, 1280, 720};
  EXPECT_EQ(fitWindowToWorkArea(screen, 1920, 1200, {}), (ScreenRect{0, 0, 1280, 720}));
  EXPECT_EQ(fitWindowToWorkArea(screen, 800, 600, {}), (ScreenRect{240, 60, 800, 600}));
  // Only the side that does not fit shrinks.
  EXPECT_EQ(fitWindowToWorkArea(screen, 1024, 768, {}), (ScreenRect{128, 0, 1024, 720}));
}

TEST(WindowFit, TheFrameStaysInsideAWorkAreaThatDoesNotStartAtTheOrigin) {
  // A panel of 32 pixels on the left and one of 24 at the top.
  const ScreenRect area{32, 24, 1248, 696};
  const FrameEdges frame{2, 30, 2, 2};
  const ScreenRect fitted = fitWindowToWorkArea(area, 1920, 1200, frame);
  EXPECT_EQ(fitted, (ScreenRect{34, 54, 1244, 664}));
  EXPECT_GE(fitted.x - frame.left, area.x);
  EXPECT_GE(fitted.y - frame.top, area.y);
  EXPECT_LE(fitted.x + fitted.width + frame.right, area.x + area.width);
  EXPECT_LE(fitted.y + fitted.height + frame.bottom, area.y + area.height);
  // A window that fits is centred with its frame.
  EXPECT_EQ(fitWindowToWorkArea(area, 800, 600, frame), (ScreenRect{32 + 2 + 222, 24 + 30 + 32, 800, 600}));
}

TEST(WindowFit, AWorkAreaWithNoRoomKeepsTheWantedSizeAndNoSideFallsBelowOne) {
  EXPECT_EQ(fitWindowToWorkArea({}, 800, 600, {}), (ScreenRect{0, 0, 800, 600}));
  EXPECT_EQ(fitWindowToWorkArea({10, 20, 0, 0}, 800, 600, {1, 2, 1, 1}), (ScreenRect{11, 22, 800, 600}));
  EXPECT_EQ(fitWindowToWorkArea({0, 0, 1280, 720}, 0, -5, {}), (ScreenRect{639, 359, 1, 1}));
}

}  // namespace
