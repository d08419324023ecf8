// Sprites drawn through the real director and renderer, read back from the window.
#include <gtest/gtest.h>

#include "director_fixture.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"

using namespace engine;
using namespace spritetest;

namespace {

using SpriteDrawTest = DirectorFixture;

TEST_F(SpriteDrawTest, ShowsItsTextureAtItsPlaceMirroredAndTurned) {
  Sprite* sprite = spriteAt(quadrants(), 40.0f, 50.0f, 8.0f);  // covers x 32..48, y 42..58
  EXPECT_EQ(sprite->getContentSize(), Size(2, 2));
  frame();
  EXPECT_TRUE(near(pixel(35, 55), kRed));    // top-left texel
  EXPECT_TRUE(near(pixel(45, 45), kWhite));  // bottom-right
  EXPECT_TRUE(near(pixel(30, 50), kBlack));  // just left of it
  EXPECT_TRUE(near(pixel(40, 60), kBlack));  // just above it

  // Each texel now covers 16x16 pixels around (64, 64).
  sprite->setPosition(64.0f, 64.0f);
  sprite->setScale(16.0f);
  sprite->setScaleX(-16.0f);
  frame();
  EXPECT_TRUE(near(pixel(56, 72), kGreen));
  EXPECT_TRUE(near(pixel(72, 56), kBlue));

  sprite->setScaleX(16.0f);
  sprite->setRotation(90.0f);  // top-left goes to top-right
  frame();
  EXPECT_TRUE(near(pixel(72, 72), kRed));
  EXPECT_TRUE(near(pixel(56, 56), kWhite));
}

TEST_F(SpriteDrawTest, ColourAndOpacityTintTheTexture) {
  Texture2D* white = solid(255, 255, 255);
  ASSERT_FALSE(white->hasPremultipliedAlpha());
  spriteAt(white, 30.0f, 64.0f, 20.0f)->setColor(Color3B{255, 128, 0});
  Sprite* faded = spriteAt(white, 90.0f, 64.0f, 20.0f);
  faded->setOpacity(128);

  // A texture without premultiplied alpha keeps the colour and blends by alpha.
  EXPECT_EQ(faded->getQuad().tl.colors, (Color4B{255, 255, 255, 128}));
  EXPECT_EQ(faded->getBlendFunc(), BlendFunc::ALPHA_NON_PREMULTIPLIED);
  frame();
  EXPECT_TRUE(near(pixel(30, 64), {255, 128, 0, 255}));
  EXPECT_TRUE(near(pixel(90, 64), {128, 128, 128, 255}));
  // Premultiplied, opacity scales the colour too.
  faded->setOpacityModifyRGB(true);
  faded->setOpacity(128);
  EXPECT_EQ(faded->getQuad().br.colors, (Color4B{128, 128, 128, 128}));
}

TEST_F(SpriteDrawTest, TextureRectangleSelectsPartOfTheTexture) {
  std::vector<uint8_t> pixels;  // 64x64: red in the top-left 32x16, green on the right half
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      pixels.insert(pixels.end(), {uint8_t(x < 32 && y < 16 ? 255 : 0), uint8_t(x < 32 ? 0 : 255),
                                   0, 255});
    }
  }
  Sprite* sprite = Sprite::createWithTextureRect(texture(64, 64, pixels), Rect(0, 0, 32, 16));
  EXPECT_FLOAT_EQ(sprite->getQuad().br.texCoords.u, 0.5f);
  EXPECT_FLOAT_EQ(sprite->getQuad().br.texCoords.v, 0.25f);  // v grows downwards
  sprite->setPosition(64.0f, 64.0f);
  scene_->addChild(sprite);
  frame();
  EXPECT_TRUE(near(pixel(50, 58), kRed));
  EXPECT_TRUE(near(pixel(78, 70), kRed));
  EXPECT_TRUE(near(pixel(82, 64), kBlack));  // just past its right edge
}

TEST_F(SpriteDrawTest, SpritesOutsideTheWindowOrWithoutTextureDrawNothing) {
  Sprite* empty = Sprite::create();
  ASSERT_NE(empty, nullptr);
  empty->setTextureRect(Rect(0, 0, 20, 20));
  empty->setPosition(64.0f, 64.0f);
  scene_->addChild(empty);
  Sprite* sprite = spriteAt(solid(255, 0, 0), 500.0f, 500.0f, 10.0f);
  frame();
  frame();
  EXPECT_FALSE(sprite->isInsideBounds());
  EXPECT_EQ(renderer()->getDrawCallCount(), 0u);
  EXPECT_TRUE(near(pixel(64, 64), kBlack));

  // A culled sprite comes back once it moves into view.
  sprite->setPosition(64.0f, 64.0f);
  frame();
  EXPECT_TRUE(sprite->isInsideBounds());
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
  EXPECT_TRUE(near(pixel(64, 64), kRed));
}

TEST_F(SpriteDrawTest, LooseSpritesOfOneTextureShareOneDrawCall) {
  Texture2D* red = solid(255, 0, 0);
  for (int i = 0; i < 200; ++i) {
    spriteAt(red, static_cast<float>(4 + (i % 16) * 8), static_cast<float>(4 + (i / 16) * 8), 4);
  }
  frame();
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
  EXPECT_EQ(renderer()->getDrawnQuadCount(), 200u);
  EXPECT_TRUE(near(pixel(4, 4), kRed));
  EXPECT_TRUE(near(pixel(124, 92), kRed));  // the last sprite: column 15, row 11
}

TEST_F(SpriteDrawTest, ContentScaleFactorMapsPointsToTexturePixels) {
  director_->setContentScaleFactor(2.0f);
  Sprite* sprite = Sprite::createWithTexture(texture(4, 4, std::vector<uint8_t>(64, 255)));
  EXPECT_EQ(sprite->getContentSize(), Size(2, 2));
  EXPECT_FLOAT_EQ(sprite->getQuad().br.texCoords.u, 1.0f);
  director_->setContentScaleFactor(-1.0f);  // ignored
  EXPECT_FLOAT_EQ(director_->getContentScaleFactor(), 2.0f);
}

}  // namespace
