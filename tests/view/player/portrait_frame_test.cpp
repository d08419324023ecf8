// The HUD's portrait frame: the bars grow with their fractions from the frame's left part and
// never vanish, inside the frame's box at the interface scale.

#include <gtest/gtest.h>

#include "game/player/player_base.h"
#include "tests/view/player/player_sprite_fixture.h"
#include "view/player/portrait_frame.h"

namespace player_sprite_test {
namespace {

struct BarCase {
  float fraction;
  float scaleX;
  float x;
};

TEST_F(PlayerSpriteTest, PortraitBarsFollowTheirFractionsAndKeepAPixel) {
  PlayerBase player(world.get(), true);
  PortraitFrame* frame = PortraitFrame::create(player, 2.0f, 600.0f);
  frame->retain();
  EXPECT_FLOAT_EQ(frame->getPositionX(), 90.0f);
  EXPECT_FLOAT_EQ(frame->getPositionY(), 576.0f);
  // x = ((f * 55 / 2 + 22) / 80 - 0.5) * 80 * 2.
  const BarCase cases[] = {{1.0f, 110.0f, 19.0f}, {0.5f, 55.0f, -8.5f}, {0.0f, 2.0f, -36.0f}, {0.01f, 2.0f, -35.45f}};
  for (const BarCase& c : cases) {
    frame->setHealth(c.fraction);
    frame->setBreath(c.fraction);
    EXPECT_NEAR(frame->healthFill()->getScaleX(), c.scaleX, 1e-3f) << c.fraction;
    EXPECT_NEAR(frame->breathFill()->getScaleX(), c.scaleX, 1e-3f) << c.fraction;
    EXPECT_NEAR(frame->healthFill()->getPositionX(), c.x, 1e-3f) << c.fraction;
    EXPECT_NEAR(frame->healthFill()->getPositionY(), (0.65f - 0.5f) * 14 * 2, 1e-3f);
    EXPECT_NEAR(frame->breathFill()->getPositionY(), (0.25f - 0.5f) * 14 * 2, 1e-3f);
  }
  EXPECT_EQ(frame->character()->getChildrenCount(), 12u);
  frame->release();
}

}  // namespace
}  // namespace player_sprite_test
