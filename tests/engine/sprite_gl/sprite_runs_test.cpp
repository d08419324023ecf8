// Sprites hand their quads straight to the renderer, which draws consecutive quads of one
// material with one call: the order, the cuts between runs and what a sprite changed since its
// last frame must still reach the pixels.
#include <gtest/gtest.h>

#include "director_fixture.h"
#include "engine/layer/layer_color.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"

using namespace engine;
using namespace spritetest;

namespace {

using SpriteRunsTest = DirectorFixture;

// A 10x10 square of the texture centred on (x, y).
Sprite* square(Texture2D* texture, float x, float y) {
  Sprite* sprite = Sprite::createWithTexture(texture);
  sprite->setScale(10.0f);
  sprite->setPosition(x, y);
  return sprite;
}

// Five overlapping squares in a row, added out of order: drawn by z they go red, green, green,
// blue, red, so each overlap shows the later one and the run changes material three times.
TEST_F(SpriteRunsTest, SpritesOfSeveralTexturesDrawInZOrderOneCallPerRun) {
  Texture2D* red = solid(255, 0, 0);
  Texture2D* green = solid(0, 255, 0);
  Texture2D* blue = solid(0, 0, 255);
  scene_->addChild(square(red, 56, 40), 4);
  scene_->addChild(square(green, 48, 40), 2);
  scene_->addChild(square(red, 40, 40), 0);
  scene_->addChild(square(blue, 52, 40), 3);
  scene_->addChild(square(green, 44, 40), 1);

  for (const char* pass : {"first frame", "unchanged frame"}) {
    frame();
    EXPECT_EQ(renderer()->getDrawCallCount(), 4u) << pass;
    EXPECT_EQ(renderer()->getDrawnQuadCount(), 5u) << pass;
    EXPECT_TRUE(near(pixel(37, 40), kRed)) << pass;
    EXPECT_TRUE(near(pixel(42, 40), kGreen)) << pass;  // over the first red
    EXPECT_TRUE(near(pixel(46, 40), kGreen)) << pass;
    EXPECT_TRUE(near(pixel(50, 40), kBlue)) << pass;   // over the second green
    EXPECT_TRUE(near(pixel(54, 40), kRed)) << pass;    // over the blue
    EXPECT_TRUE(near(pixel(60, 40), kRed)) << pass;
  }
}

// A colour layer between two sprites of one texture draws between them: the run is cut there and
// the second sprite's quad is drawn after the layer, over it.
TEST_F(SpriteRunsTest, ANodeThatDrawsItselfCutsTheRunWhereItStands) {
  Texture2D* red = solid(255, 0, 0);
  LayerColor* layer = LayerColor::create(Color4B{0, 0, 255, 255}, 20, 20);
  layer->setPosition(40, 30);  // covers 40..60, 30..50
  scene_->addChild(square(red, 38, 40), 0);
  scene_->addChild(layer, 1);
  scene_->addChild(square(red, 62, 40), 2);
  frame();
  frame();
  EXPECT_TRUE(near(pixel(36, 40), kRed));
  EXPECT_TRUE(near(pixel(42, 40), kBlue));  // the layer over the first sprite
  EXPECT_TRUE(near(pixel(58, 40), kRed));   // the second sprite over the layer
  EXPECT_TRUE(near(pixel(50, 40), kBlue));
}

// Hidden, a sprite leaves nothing, and the sprites around it of one material become one run;
// moved, retextured and recoloured while hidden, it shows its new state when shown again.
TEST_F(SpriteRunsTest, ASpriteHiddenAndChangedShowsItsNewStateWhenShownAgain) {
  Texture2D* red = solid(255, 0, 0);
  Texture2D* green = solid(0, 255, 0);
  scene_->addChild(square(red, 20, 40), 0);
  Sprite* middle = square(green, 40, 40);
  scene_->addChild(middle, 1);
  scene_->addChild(square(red, 60, 40), 2);
  frame();
  EXPECT_EQ(renderer()->getDrawCallCount(), 3u);
  EXPECT_TRUE(near(pixel(40, 40), kGreen));

  middle->setVisible(false);
  frame();
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
  EXPECT_TRUE(near(pixel(40, 40), kBlack));
  EXPECT_TRUE(near(pixel(60, 40), kRed));

  middle->setPosition(40, 80);
  middle->setTexture(quadrants());
  middle->setTextureRect(Rect(1, 1, 1, 1));  // the white texel
  middle->setColor(Color3B{0, 0, 255});
  frame();
  EXPECT_TRUE(near(pixel(40, 80), kBlack));  // still hidden
  middle->setVisible(true);
  frame();
  EXPECT_TRUE(near(pixel(40, 80), kBlue));
  EXPECT_TRUE(near(pixel(40, 40), kBlack));
  frame();
  EXPECT_TRUE(near(pixel(40, 80), kBlue));
}

// An unchanged sprite hands the renderer the material it was last drawn with; a new blend or
// program state set on it shows from the next frame on, and stays.
TEST_F(SpriteRunsTest, ANewBlendOrProgramStateShowsFromTheNextFrame) {
  Texture2D* red = solid(255, 0, 0);
  Texture2D* green = solid(0, 255, 0);
  scene_->addChild(square(red, 40, 40), 0);  // covers 35..45
  Sprite* front = square(green, 44, 40);     // covers 39..49, over the red
  scene_->addChild(front, 1);
  frame();
  frame();
  EXPECT_TRUE(near(pixel(42, 40), kGreen));

  front->setBlendFunc(BlendFunc::ADDITIVE);
  const Rgba yellow{255, 255, 0, 255};
  for (const char* pass : {"first frame", "unchanged frame"}) {
    frame();
    EXPECT_TRUE(near(pixel(42, 40), yellow)) << pass;  // green added to the red
    EXPECT_TRUE(near(pixel(47, 40), kGreen)) << pass;  // added to the black clear colour
    EXPECT_TRUE(near(pixel(37, 40), kRed)) << pass;
  }

  // This program shows the vertex colour (white) and ignores the texture.
  front->setBlendFunc(BlendFunc::ALPHA_NON_PREMULTIPLIED);
  front->setGLProgramState(GLProgramStateCache::getInstance()->getGLProgramState(
      GLProgramCache::getInstance()->getGLProgram(PROGRAM_POSITION_COLOR_NO_MVP)));
  for (const char* pass : {"first frame", "unchanged frame"}) {
    frame();
    EXPECT_TRUE(near(pixel(42, 40), kWhite)) << pass;
    EXPECT_TRUE(near(pixel(47, 40), kWhite)) << pass;
    EXPECT_TRUE(near(pixel(37, 40), kRed)) << pass;
  }
}

// The renderer keeps last frame's quads and skips copying a still sprite's quad where it already
// lies: a sprite that leaves, or sprites that swap places in drawing order, move the others to
// other places in the buffer, where their quads must be written again.
TEST_F(SpriteRunsTest, StillSpritesThatChangePlaceInTheDrawingOrderStillDrawThemselves) {
  Texture2D* red = solid(255, 0, 0);
  Texture2D* green = solid(0, 255, 0);
  Texture2D* blue = solid(0, 0, 255);
  Sprite* first = square(red, 30, 40);
  Sprite* second = square(green, 60, 40);
  Sprite* third = square(blue, 64, 40);  // over the green one's right half
  scene_->addChild(first, 0);
  scene_->addChild(second, 1);
  scene_->addChild(third, 2);
  frame();
  frame();  // every quad already in place
  EXPECT_TRUE(near(pixel(30, 40), kRed));
  EXPECT_TRUE(near(pixel(57, 40), kGreen));
  EXPECT_TRUE(near(pixel(62, 40), kBlue));

  scene_->removeChild(first);  // the others move one place down the buffer
  frame();
  EXPECT_TRUE(near(pixel(30, 40), kBlack));
  EXPECT_TRUE(near(pixel(57, 40), kGreen));
  EXPECT_TRUE(near(pixel(62, 40), kBlue));
  EXPECT_EQ(renderer()->getDrawnQuadCount(), 2u);

  scene_->reorderChild(second, 3);  // green now drawn after blue, over it
  frame();
  frame();
  EXPECT_TRUE(near(pixel(62, 40), kGreen));
  EXPECT_TRUE(near(pixel(67, 40), kBlue));
}

}  // namespace
