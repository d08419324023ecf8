// Colour layers and progress timers: their vertex data, and what they draw.
#include <gtest/gtest.h>

#include "tests/engine/sprite_gl/director_fixture.h"
#include "engine/layer/layer_color.h"
#include "engine/layer/progress_from_to.h"
#include "engine/layer/progress_timer.h"
#include "engine/scene/action_manager.h"
#include "engine/sprite/sprite.h"

using namespace engine;
using namespace spritetest;

namespace {

using LayerProgressTest = DirectorFixture;

// A white 40x40 sprite's timer, centred on (64, 64): it covers 44..84 on both axes.
ProgressTimer* timerOver(Texture2D* texture) {
  Sprite* sprite = Sprite::createWithTexture(texture);
  ProgressTimer* timer = ProgressTimer::create(sprite);
  timer->setScale(40.0f);
  timer->setPosition(64.0f, 64.0f);
  return timer;
}

Vec2 position(const ProgressTimer* timer, int vertex) {
  const V2F_C4B_T2F& v = timer->getVertexData()[vertex];
  return Vec2(v.vertices.x, v.vertices.y);
}

TEST_F(LayerProgressTest, AColourLayerCoversTheWindowAndBlendsByItsAlpha) {
  LayerColor* white = LayerColor::create(Color4B{255, 255, 255, 255}, 128, 128);
  LayerColor* dim = LayerColor::create();  // transparent black, window sized
  ASSERT_NE(dim, nullptr);
  EXPECT_EQ(dim->getContentSize(), Size(kWindowSize, kWindowSize));
  dim->setOpacity(128);
  scene_->addChild(white);
  scene_->addChild(dim);
  frame();
  EXPECT_TRUE(near(pixel(1, 1), {127, 127, 127, 255}));
  EXPECT_TRUE(near(pixel(126, 126), {127, 127, 127, 255}));
  EXPECT_EQ(renderer()->getDrawnVertexCount(), 8u);

  // A layer is placed by its corner and sized.
  scene_->removeAllChildrenWithCleanup();
  LayerColor* panel = LayerColor::create(Color4B{0, 255, 0, 255}, 20, 10);
  panel->setPosition(30.0f, 40.0f);
  scene_->addChild(panel);
  frame();
  EXPECT_TRUE(near(pixel(31, 41), kGreen));
  EXPECT_TRUE(near(pixel(51, 45), kBlack));
  panel->setContentSize(Size(40, 10));
  frame();
  EXPECT_TRUE(near(pixel(65, 45), kGreen));
}

TEST_F(LayerProgressTest, RadialTimerShowsTheSweptQuarter) {
  ProgressTimer* timer = timerOver(solid(255, 0, 0));
  timer->setPercentage(25.0f);
  scene_->addChild(timer);
  frame();
  EXPECT_TRUE(near(pixel(74, 74), kRed));    // top-right quarter
  EXPECT_TRUE(near(pixel(54, 74), kBlack));  // top-left
  EXPECT_TRUE(near(pixel(74, 54), kBlack));  // bottom-right

  timer->setReverseDirection(true);  // sweeps the other way from the top
  frame();
  EXPECT_TRUE(near(pixel(54, 74), kRed));
  EXPECT_TRUE(near(pixel(74, 74), kBlack));
}

TEST_F(LayerProgressTest, BarTimerGrowsFromItsMidpoint) {
  ProgressTimer* timer = timerOver(solid(0, 0, 255));
  timer->setType(ProgressTimer::Type::BAR);
  timer->setMidpoint(Vec2(0.0f, 0.5f));
  timer->setBarChangeRate(Vec2(1.0f, 0.0f));
  timer->setPercentage(50.0f);
  ASSERT_EQ(timer->getVertexDataCount(), 4);
  EXPECT_EQ(position(timer, 0), Vec2(0.0f, 1.0f));
  EXPECT_EQ(position(timer, 3), Vec2(0.5f, 0.0f));
  scene_->addChild(timer);
  frame();
  EXPECT_TRUE(near(pixel(50, 46), kBlue));  // left half, full height
  EXPECT_TRUE(near(pixel(78, 64), kBlack));

  // Reversed, the bar shows what lies outside the window: two strips, two draws.
  timer->setReverseDirection(true);
  EXPECT_EQ(timer->getVertexDataCount(), 8);
  frame();
  EXPECT_EQ(renderer()->getDrawCallCount(), 2u);
  EXPECT_TRUE(near(pixel(78, 64), kBlue));
  EXPECT_TRUE(near(pixel(50, 64), kBlack));
}

}  // namespace
