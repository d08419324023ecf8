// Sprites drawn through the real director and renderer, read back from the window.
#include <gtest/gtest.h>

#include "director_fixture.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"

using namespace engine;
using namespace spritetest;

namespace {

using SpriteDrawTest = DirectorFixture;

// A 2x2 texture blown up 16 times, centred on (64, 64): each texel covers 16x16 pixels.
Sprite* bigQuadrants(Texture2D* texture) {
  Sprite* sprite = Sprite::createWithTexture(texture);
  sprite->setScale(16.0f);
  sprite->setPosition(64.0f, 64.0f);
  return sprite;
}

TEST_F(SpriteDrawTest, ShowsItsTextureAtItsPositionAndSize) {
  Sprite* sprite = Sprite::createWithTexture(quadrants());
  EXPECT_EQ(sprite->getContentSize(), Size(2, 2));
  sprite->setScale(8.0f);
  sprite->setPosition(40.0f, 50.0f);  // covers x 32..48, y 42..58
  scene_->addChild(sprite);
  frame();

  EXPECT_TRUE(near(pixel(35, 55), kRed));    // top-left texel
  EXPECT_TRUE(near(pixel(45, 45), kWhite));  // bottom-right
  EXPECT_TRUE(near(pixel(30, 50), kBlack));  // just left of it
  EXPECT_TRUE(near(pixel(40, 60), kBlack));  // just above it
}

TEST_F(SpriteDrawTest, ColourAndOpacityTintTheTexture) {
  Texture2D* white = solid(255, 255, 255);
  ASSERT_FALSE(white->hasPremultipliedAlpha());
  Sprite* tinted = Sprite::createWithTexture(white);
  tinted->setScale(20.0f);
  tinted->setPosition(30.0f, 64.0f);
  tinted->setColor(Color3B{255, 128, 0});
  Sprite* faded = Sprite::createWithTexture(white);
  faded->setScale(20.0f);
  faded->setPosition(90.0f, 64.0f);
  faded->setOpacity(128);
  scene_->addChild(tinted);
  scene_->addChild(faded);

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

TEST_F(SpriteDrawTest, NegativeScaleMirrorsAndRotationTurnsClockwise) {
  Sprite* mirrored = bigQuadrants(quadrants());
  mirrored->setScaleX(-16.0f);
  scene_->addChild(mirrored);
  frame();
  EXPECT_TRUE(near(pixel(60, 68), kGreen));
  EXPECT_TRUE(near(pixel(72, 56), kBlue));

  mirrored->setScaleX(16.0f);
  mirrored->setRotation(90.0f);  // top-left goes to top-right
  frame();
  EXPECT_TRUE(near(pixel(72, 72), kRed));
  EXPECT_TRUE(near(pixel(56, 56), kWhite));
}

TEST_F(SpriteDrawTest, TextureRectangleSelectsPartOfTheTexture) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool left = x < 32;
      const bool top = y < 16;
      pixels.insert(pixels.end(), {uint8_t(left && top ? 255 : 0), uint8_t(left ? 0 : 255), 0,
                                   255});
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

TEST_F(SpriteDrawTest, ASpriteOutsideTheWindowStaysCulledUntilItMoves) {
  Sprite* sprite = Sprite::createWithTexture(solid(255, 0, 0));
  sprite->setScale(10.0f);
  sprite->setPosition(500.0f, 500.0f);
  scene_->addChild(sprite);
  frame();
  frame();
  EXPECT_FALSE(sprite->isInsideBounds());
  EXPECT_EQ(renderer()->getDrawCallCount(), 0u);

  sprite->setPosition(64.0f, 64.0f);
  frame();
  EXPECT_TRUE(sprite->isInsideBounds());
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
  EXPECT_TRUE(near(pixel(64, 64), kRed));
}

// A sprite that did not change is queued again on a short path; each kind of change between
// frames must still reach the next frame.
TEST_F(SpriteDrawTest, AChangeBetweenFramesReachesTheNextFrame) {
  Sprite* sprite = Sprite::createWithTexture(solid(255, 0, 0));
  sprite->setScale(10.0f);
  sprite->setPosition(30.0f, 30.0f);
  scene_->addChild(sprite);
  frame();
  frame();  // unchanged
  EXPECT_EQ(renderer()->getDrawnQuadCount(), 1u);
  EXPECT_TRUE(near(pixel(30, 30), kRed));

  sprite->setTexture(solid(0, 255, 0));
  frame();
  EXPECT_TRUE(near(pixel(30, 30), kGreen));
  sprite->setBlendFunc(BlendFunc::ADDITIVE);
  sprite->setOpacity(128);
  frame();
  EXPECT_TRUE(near(pixel(30, 30), {0, 128, 0, 255}));  // added onto black at half strength
  sprite->setPosition(90.0f, 90.0f);
  frame();
  EXPECT_TRUE(near(pixel(30, 30), kBlack));
  EXPECT_TRUE(near(pixel(90, 90), {0, 128, 0, 255}));
  scene_->setPosition(-40.0f, 0.0f);  // a parent's move moves it too
  frame();
  EXPECT_TRUE(near(pixel(50, 90), {0, 128, 0, 255}));
  EXPECT_TRUE(near(pixel(90, 90), kBlack));
}

// A sprite that writes its quad itself, as tile sprites relit in place do.
class RepaintedSprite : public Sprite {
 public:
  static RepaintedSprite* create(Texture2D* texture) {
    auto* sprite = new RepaintedSprite();
    sprite->initWithTexture(texture);
    sprite->autorelease();
    return sprite;
  }
  void paintCorners(const Color4B& colour) {
    quad_.tl.colors = quad_.bl.colors = quad_.tr.colors = quad_.br.colors = colour;
    setDirty(true);
  }
};

// The sprite hands over its quad already in world space and places it again only when something
// changed; a change of the quad alone (no move, same material) must reach the next frame.
TEST_F(SpriteDrawTest, AStillSpriteWhoseQuadChangesShowsTheNewQuad) {
  RepaintedSprite* sprite = RepaintedSprite::create(quadrants());
  sprite->setScale(16.0f);
  sprite->setPosition(64.0f, 64.0f);  // covers 48..80 both ways
  scene_->addChild(sprite);
  frame();
  frame();
  EXPECT_TRUE(near(pixel(49, 79), kRed));
  EXPECT_TRUE(near(pixel(47, 79), kBlack));
  EXPECT_TRUE(near(pixel(49, 81), kBlack));
  EXPECT_TRUE(near(pixel(60, 68), kRed));

  struct Step {
    const char* change;
    void (*apply)(RepaintedSprite*);
    Rgba topLeft;  // the pixel at (60, 68) the next frame
  };
  const Step steps[] = {
      {"texture rectangle", [](RepaintedSprite* s) { s->setTextureRect(Rect(0, 1, 1, 1)); },
       kBlue},  // one texel now fills 56..72
      {"colour", [](RepaintedSprite* s) { s->setColor(Color3B{0, 0, 0}); }, kBlack},
      {"quad written directly",
       [](RepaintedSprite* s) { s->paintCorners(Color4B{255, 255, 255, 255}); }, kBlue},
      {"content size", [](RepaintedSprite* s) { s->setTextureRect(Rect(0, 0, 2, 2)); }, kRed},
  };
  for (const Step& step : steps) {
    step.apply(sprite);
    frame();
    EXPECT_TRUE(near(pixel(60, 68), step.topLeft)) << step.change;
    frame();  // and the frame after, on the short path
    EXPECT_TRUE(near(pixel(60, 68), step.topLeft)) << step.change << ", unchanged";
  }
}

// Drawn once under a transform other than its own, the sprite places its quad under its own
// again at the next visit.
TEST_F(SpriteDrawTest, ADrawUnderAnotherTransformIsNotKept) {
  Sprite* sprite = Sprite::createWithTexture(solid(255, 0, 0));
  sprite->setScale(10.0f);
  sprite->setPosition(30.0f, 30.0f);
  scene_->addChild(sprite);
  frame();
  Mat4 elsewhere = sprite->getModelViewTransform();
  elsewhere.m[12] += 60.0f;
  sprite->draw(renderer(), elsewhere, 1);
  renderer()->render();
  EXPECT_TRUE(near(pixel(90, 30), kRed));
  frame();
  EXPECT_TRUE(near(pixel(30, 30), kRed));
  EXPECT_TRUE(near(pixel(90, 30), kBlack));
}

TEST_F(SpriteDrawTest, LooseSpritesOfOneTextureShareOneDrawCall) {
  Texture2D* red = solid(255, 0, 0);
  for (int i = 0; i < 200; ++i) {
    Sprite* sprite = Sprite::createWithTexture(red);
    sprite->setScale(4.0f);
    sprite->setPosition(static_cast<float>(4 + (i % 16) * 8), static_cast<float>(4 + (i / 16) * 8));
    scene_->addChild(sprite);
  }
  frame();
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
  EXPECT_EQ(renderer()->getDrawnQuadCount(), 200u);
  EXPECT_TRUE(near(pixel(4, 4), kRed));
  EXPECT_TRUE(near(pixel(124, 92), kRed));  // the last sprite: column 15, row 11
}

}  // namespace
