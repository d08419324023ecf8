// A picture turned an eighth of a turn in its own pixels: a line pointing up and right from the grip
// comes out pointing right from the middle of a canvas twice the size, and nothing near the grip is lost.

#include "tools/art_maker/turned_picture.h"

#include <gtest/gtest.h>

namespace artmaker {
namespace {

constexpr Colour kInk = rgba(200, 40, 40, 255);

TEST(TurnedPicture, ALineUpAndRightFromTheGripTurnsToPointRight) {
  Canvas picture(16, 16);
  for (int i = 0; i < 8; ++i) picture.set(8 + i, 7 - i, kInk);  // from the grip at (8, 8) to the top-right corner
  const Canvas turned = turnedEighth(picture, 8.0f, 8.0f);
  ASSERT_EQ(turned.width(), 32);
  ASSERT_EQ(turned.height(), 32);
  int right = 0, elsewhere = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (!(turned.at(x, y) == kInk)) continue;
      (x >= 16 && y >= 14 && y <= 17 ? right : elsewhere) += 1;
    }
  }
  EXPECT_GE(right, 6) << "the line lies along the middle row, right of the grip";
  EXPECT_EQ(elsewhere, 0);
}

TEST(TurnedPicture, EveryPixelNearTheGripIsKept) {
  Canvas picture(16, 16);
  picture.fillRect({4, 4, 8, 8}, kInk);
  const Canvas turned = turnedEighth(picture, 8.0f, 8.0f);
  int inked = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) inked += turned.at(x, y) == kInk;
  }
  // A square of 64 pixels turned keeps about its area.
  EXPECT_NEAR(inked, 64, 10);
  EXPECT_TRUE(turned.at(16, 16) == kInk) << "the grip is the middle";
}

}  // namespace
}  // namespace artmaker
