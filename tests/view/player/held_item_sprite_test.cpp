// The held item's poses: each angle shows the nearest eighth of a turn, from the upright picture or
// the copy turned an eighth, under a whole quarter turn; a flipped sprite turns the copy the other
// way; a swing item rests at least three eighths back from upright; the sprite keeps the item's
// own angle for the swing's actions to read.

#include "view/player/held_item_sprite.h"

#include <gtest/gtest.h>

#include <cmath>

#include "content/art/tool_atlas_layout.h"
#include "engine/render/texture2d.h"

namespace {

TEST(HeldPose, EachAngleShowsTheNearestEighthUnderAWholeQuarterTurn) {
  const struct {
    float degrees;
    bool turned;
    float rotation;
  } cases[] = {
      {0, false, 0},     {20, false, 0},   {30, true, 0},     {45, true, 0},    {-45, true, -90},
      {-60, true, -90},  {-80, false, -90}, {-135, true, -180}, {110, false, 90}, {65, true, 0},
  };
  for (const auto& c : cases) {
    const HeldPose pose = heldPoseFor(c.degrees, false);
    EXPECT_EQ(pose.turned, c.turned) << c.degrees;
    EXPECT_FLOAT_EQ(pose.rotation, c.rotation) << c.degrees;
    EXPECT_EQ(std::fmod(pose.rotation, 90.0f), 0.0f) << c.degrees << ": pixels stay square";
  }
}

TEST(HeldPose, AFlippedSpriteTurnsTheCopyTheOtherWay) {
  // Flipped across, the copy's clockwise eighth shows anticlockwise: 45 needs a further quarter.
  EXPECT_FLOAT_EQ(heldPoseFor(45, true).rotation, 90.0f);
  EXPECT_FLOAT_EQ(heldPoseFor(-45, true).rotation, 0.0f);
  EXPECT_FLOAT_EQ(heldPoseFor(90, true).rotation, 90.0f) << "the upright picture turns as told";
}

TEST(HeldPose, ASwingItemRestsAtLeastThreeEighthsBack) {
  EXPECT_FLOAT_EQ(heldRestAngle(-30), -135.0f);
  EXPECT_FLOAT_EQ(heldRestAngle(-90), -135.0f);
  EXPECT_FLOAT_EQ(heldRestAngle(-180), -180.0f) << "further back stays where its record says";
}

TEST(HeldItemSprite, ShowsTheTurnedCopyAtAnOddEighthAndKeepsTheItemsAngle) {
  engine::Texture2D* texture = new engine::Texture2D();
  HeldItemSprite* sprite = HeldItemSprite::create(texture);
  ASSERT_NE(sprite, nullptr);
  sprite->retain();
  const engine::Rect picture(64, 0, 32, 32);
  sprite->showSwingPicture(picture, engine::Vec2(0.375f, 0.375f));
  sprite->setRotation(-50.0f);
  EXPECT_FLOAT_EQ(sprite->getRotation(), -50.0f) << "the swing reads back the angle it set";
  EXPECT_EQ(sprite->getTextureRect(), art::turnedToolRect(picture));
  EXPECT_EQ(sprite->getAnchorPoint(), engine::Vec2(0.5f, 0.5f)) << "the copy's grip is its middle";
  sprite->setRotation(-90.0f);
  EXPECT_EQ(sprite->getTextureRect(), picture);
  EXPECT_EQ(sprite->getAnchorPoint(), engine::Vec2(0.375f, 0.375f));
  // A picture with no copy (an icon) turns freely.
  sprite->showPicture(engine::Rect(0, 0, 16, 16), engine::Vec2(0.5f, 0.5f));
  sprite->setRotation(-50.0f);
  EXPECT_EQ(sprite->getTextureRect(), engine::Rect(0, 0, 16, 16));
  sprite->release();
  texture->release();
}

}  // namespace
