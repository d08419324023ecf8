// A tooltip taller than the room beside its pointer stays inside the screen, drawn whole.

#include <string>

#include "tests/view/overlay_gl_fixture.h"
#include "view/inventory/tooltip_multi_line.h"

namespace overlay_test {
namespace {

using spritetest::near;

class TooltipInsideScreen : public OverlayGLFixture {
 protected:
  // Rows of the window's column through the pointer where the panel's green shows.
  static int greenRows(int x) {
    int rows = 0;
    for (int y = 0; y < spritetest::kWindowSize; ++y) rows += near(pixel(x, y), spritetest::kGreen, 8);
    return rows;
  }
};

TEST_F(TooltipInsideScreen, ATallPanelHangingBelowItsPointerIsLiftedIntoTheScreen) {
  TooltipMultiLine* tooltip = TooltipMultiLine::create();
  ASSERT_NE(tooltip, nullptr);
  scene_->addChild(tooltip, 0);
  std::string text = "Title";
  for (int i = 0; i < 2; ++i) text += "\nline " + std::to_string(i);
  // A point in the upper half: the panel would hang below it, past the window's foot.
  tooltip->layout(text, engine::Vec2(64, 80), true, 0);
  const float half = tooltip->panelSize().height / 2;
  ASSERT_LT(2 * half, spritetest::kWindowSize - 2 * TooltipMultiLine::kScreenMargin) << "it fits the window";
  ASSERT_LT(80 - 10 - 2 * half, TooltipMultiLine::kScreenMargin) << "hanging below, it would not";
  EXPECT_GE(tooltip->getPositionY() - half, TooltipMultiLine::kScreenMargin);
  EXPECT_LE(tooltip->getPositionY() + half, spritetest::kWindowSize - TooltipMultiLine::kScreenMargin);
  frame();
  // Along the panel's left border, clear of its text.
  const int border = static_cast<int>(tooltip->getPositionX() - tooltip->panelSize().width / 2) + 2;
  EXPECT_GE(greenRows(border), static_cast<int>(2 * half) - 4) << "the panel is drawn whole";
  EXPECT_FALSE(near(pixel(border, 2), spritetest::kGreen, 8)) << "nothing of it under the margin";
}

}  // namespace
}  // namespace overlay_test
