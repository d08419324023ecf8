// Where the console starts: its first line, a line of its font at half the interface scale raised
// by its rise, ends under the HUD's portrait box at the top left, at every interface scale.

#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "engine/scene/director.h"
#include "view/console/console_node.h"
#include "view/player/portrait_frame.h"

namespace {

// The console's font is 23 points a line and draws at half scale, 4 points higher than its foot.
constexpr float kLineTop = 23.0f * 0.5f + 4.0f;
// The portrait's box is centred 12 points under the window's top.
constexpr float kPortraitCentre = 12.0f;

class ConsolePlace : public ::testing::Test {
 protected:
  void TearDown() override {
    engine::PoolManager::getCurrentPool()->clear();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
};

TEST_F(ConsolePlace, TheFirstLineEndsUnderThePortrait) {
  for (float scale : {1.0f, 2.0f, 3.0f}) {
    ConsoleStyle style;
    style.fontFile = "/nonexistent/smalltooltip.fnt";
    style.uiScale = scale;
    style.screen = engine::Size(1280, 720);
    ConsoleNode* console = ConsoleNode::create(style);
    ASSERT_NE(console, nullptr);
    const float portraitFoot = 720.0f - (kPortraitCentre + PortraitFrame::kBoxHeight / 2) * scale;
    EXPECT_LT(console->origin().y + kLineTop * scale, portraitFoot) << "at scale " << scale;
    // The figure hangs under the box: the lines keep a margin from its feet too.
    const float figureFoot = 720.0f - PortraitFrame::kReach * scale;
    EXPECT_LE(console->origin().y + kLineTop * scale, figureFoot - 4.0f * scale) << "at scale " << scale;
  }
}

}  // namespace
