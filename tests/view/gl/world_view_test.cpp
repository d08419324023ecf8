// The world drawn and read back: blocks carry their art and their light, the back layer is darker,
// liquids show in their colours; teardown and a second build leave nothing behind; a wider window
// is laid out around the player.

#include <gtest/gtest.h>

#include <vector>

#include "content/art/block_atlas_layout.h"
#include "engine/render/texture_cache.h"
#include "engine/scene/scheduler.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/core/world_entities.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_list.h"
#include "entities/particles/debris_presets.h"
#include "tests/view/world_view_fixture.h"
#include "view/effects/screen_shake.h"
#include "view/effects/view_effect_hooks.h"
#include "view/entities/particle_sprites.h"
#include "view/overlays/sign_label.h"
#include "view/tiles/ground_daylight.h"
#include "view/tiles/tile_light.h"
#include "view/tiles/tile_sprites.h"
#include "view/world_shot.h"
#include "world/explosions/explosion_system.h"
#include "tests/support/screen_shake_probe.h"

namespace {

using namespace worldgl;

TEST_F(WorldViewTest, ACellsPixelsCarryItsBlocksArtAndItsLight) {
  // The dirt on the right in a darker place: the light map gives it 8, the open air above it 15, of
  // which it shows a step less as daylight seeping into the ground.
  map->cell(11, 9).setSkyLevel(8);
  map->cell(9, 10).setLayer(world_test::kDirt, 0, MapBlock::kBack);   // only a back block, in the open
  map->cell(11, 10).setFront(world_test::kGlass, 0, 0);
  build();
  frame();
  const Rgba dirt = blockColour(world_test::kDirt);
  EXPECT_TRUE(near(cellPixel(10, 9), dirt));
  EXPECT_TRUE(near(cellPixel(11, 9), scaled(dirt, tile_light::shadeOf(15 - ground_daylight::lossAt(1)))));
  EXPECT_TRUE(near(cellPixel(9, 10), scaled(dirt, tile_light::backShade(tile_light::shadeOf(15)))))
      << "a back block in the open is set back from the faces in front";
  EXPECT_TRUE(near(cellPixel(11, 10), blockColour(world_test::kGlass)));
  EXPECT_TRUE(near(cellPixel(11, 11), {0, 0, 0, 255})) << "open air (the player stands in its middle cell)";
}

TEST_F(WorldViewTest, TheTreeHasItsLayersInOrderAndTheRootAtTheViewScaleLessOne) {
  build();
  ASSERT_TRUE(layer->hasWorldView());
  EXPECT_FLOAT_EQ(layer->rootNode()->getScale(), 2.0f);
  EXPECT_EQ(layer->rootNode()->getPosition(), engine::Vec2(kWindow / 2, kWindow / 2));
  EXPECT_EQ(layer->rootNode()->getTag(), MainLayer::kRootTag);
  EXPECT_EQ(layer->worldLayer()->getParent(), layer->rootNode());
  const GameTextures& t = gameTextures();
  const struct {
    engine::Node* node;
    int z;
  } worldChildren[] = {{t.blockBatch, 1},      {t.extraWorldNode, 2},  {t.particleBatches[0], 3},
                       {t.particleBatches[2], 5}, {t.dressBatch, 6},    {t.bulletBatch, 7},
                       {t.treasureBatch, 8},   {t.mobNode, 21},        {t.healthBarBatch, 22},
                       {t.additiveBatch, 23}};
  for (const auto& c : worldChildren) {
    EXPECT_EQ(c.node->getParent(), layer->worldLayer());
    EXPECT_EQ(c.node->getLocalZOrder(), c.z);
  }
  EXPECT_EQ(t.hudLayer->getParent(), layer);
  EXPECT_EQ(t.hudLayer->getLocalZOrder(), 45);
  EXPECT_EQ(t.iconBatch->getLocalZOrder(), 89);
  EXPECT_EQ(layer->overlayNode()->getLocalZOrder(), 90);
  EXPECT_EQ(layer->highlightSprite()->getParent(), t.blockBatch);
  EXPECT_EQ(layer->worldLayer()->getPosition(), engine::Vec2(-300, -300));
}

TEST_F(WorldViewTest, EachFrameStepsTheRunningWorldsFusesInSixtieths) {
  build();
  ASSERT_TRUE(running.world->explosions().add(map->cell(20, 12), nullptr, kStandardBlast, 90.0f, 0));
  layer->update(1.0f / 60.0f);
  layer->update(1.0f / 30.0f);
  ASSERT_EQ(running.world->explosions().pending().size(), 1u);
  EXPECT_NEAR(running.world->explosions().pending()[0].timer, 87.0f, 1e-3f);
}

TEST_F(WorldViewTest, WaterLavaAndAcidShowInTheirColours) {
  map->cell(9, 11).liquid = static_cast<uint8_t>(1 << 6 | 4 | 4 << 3);
  map->cell(10, 11).liquid = static_cast<uint8_t>(2 << 6 | 4 | 4 << 3);
  map->cell(11, 11).liquid = static_cast<uint8_t>(3 << 6 | 4 | 4 << 3);
  build();
  frame();
  EXPECT_TRUE(near(cellPixel(9, 11), kWater));
  EXPECT_TRUE(near(cellPixel(10, 11), kLava));
  EXPECT_TRUE(near(cellPixel(11, 11), kAcid));
}

TEST_F(WorldViewTest, WaterLooksTheSameInFrontOfAWallAndInFrontOfOpenAir) {
  map->cell(9, 11).liquid = static_cast<uint8_t>(1 << 6 | 4 | 4 << 3);
  map->cell(11, 11).liquid = static_cast<uint8_t>(1 << 6 | 4 | 4 << 3);
  map->cell(11, 11).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // a wall behind this one
  build();
  frame();
  EXPECT_TRUE(near(cellPixel(11, 11), cellPixel(9, 11), 3)) << "nothing behind the water shows through it";
  EXPECT_TRUE(near(cellPixel(11, 11), kWater));
}

TEST_F(WorldViewTest, TheCameraFollowsThePlayerAndTheWindowScrollsWithIt) {
  map->cell(12, 9).setFront(world_test::kGlass, 0, 0);
  build();
  frame();
  EXPECT_TRUE(near(cellPixel(11, 9), blockColour(world_test::kDirt)));
  standAt(11, 10);
  frame();
  // The glass two cells right of the old centre is now one cell right of the middle.
  EXPECT_TRUE(near(cellPixel(11, 9), blockColour(world_test::kGlass)));
  EXPECT_EQ(layer->tiles()->centreX(), 11);
}

TEST_F(WorldViewTest, AWiderWindowIsLaidOutAroundThePlayerWithMoreColumns) {
  map->cell(13, 9).setFront(world_test::kGlass, 0, 0);  // beyond the five columns of 180 px
  build();
  frame();
  const int narrowColumns = layer->tiles()->columns();
  sharedView()->showWindowed(420, 180);
  engine::GLView::onGLFWFramebufferSize(window_, 420, 180);
  layer->layOutForScreen();
  frame();
  EXPECT_EQ(layer->getContentSize(), engine::Size(420, 180));
  EXPECT_EQ(layer->rootNode()->getPosition(), engine::Vec2(210, 90)) << "the player at the new centre";
  EXPECT_GT(layer->tiles()->columns(), narrowColumns);
  EXPECT_EQ(layer->tiles()->centreX(), 10);
  unsigned char rgba[4] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(210 + 3 * 60, 90 - 60, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  EXPECT_TRUE(near({rgba[0], rgba[1], rgba[2], rgba[3]}, blockColour(world_test::kGlass)))
      << "the cell three right of the player's is drawn at the window's new right end";
}

TEST_F(WorldViewTest, TeardownLeavesNothingBehindAndASecondBuildStartsClean) {
  build();
  frame();
  engine::SpriteBatchNode* blocks = gameTextures().blockBatch;
  const size_t firstSprites = blocks->getChildrenCount();
  ASSERT_GT(firstSprites, 0u);
  layer->teardownWorldView();
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(layer->getChildrenCount(), 0u);
  EXPECT_EQ(layer->tiles(), nullptr);
  EXPECT_EQ(TileSprites::current(), nullptr);
  EXPECT_EQ(blocks->getChildrenCount(), 0u);
  EXPECT_EQ(gameTextures().additiveBatch->getChildrenCount(), 0u);
  EXPECT_EQ(blocks->getParent(), nullptr);
  frame();
  layer->buildWorldView(running);
  frame();
  EXPECT_EQ(blocks->getChildrenCount(), firstSprites);
  EXPECT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kDirt)));
}

TEST_F(WorldViewTest, AWorldThatEndedIsTakenDownBeforeTheNextFrameDraws) {
  build();
  frame();
  layer->getScheduler()->unscheduleUpdate(layer);  // the game stopped its timers first
  running.player.reset();
  running.world.reset();
  frame();
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(TileSprites::current(), nullptr);
}

TEST_F(WorldViewTest, TeardownForgetsTheSignLabelSoTheNextWorldMakesItsOwn) {
  build();
  SignLabel* first = SignLabel::show(*layer, "AAA", engine::Vec2(90, 90));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->getParent(), layer);
  EXPECT_EQ(SignLabel::show(*layer, "BBB", engine::Vec2(90, 90)), first);  // one node while it lives
  layer->teardownWorldView();
  EXPECT_EQ(SignLabel::instance(), nullptr);
  build();
  SignLabel* second = SignLabel::show(*layer, "CCC", engine::Vec2(90, 90));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->getParent(), layer);
  frame();
}

// The whole window's pixels, bottom row first.
std::vector<unsigned char> windowPixels() {
  std::vector<unsigned char> pixels(static_cast<size_t>(kWindow) * kWindow * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, kWindow, kWindow, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// A shake allows the next only once it ends; a world view taken down mid-shake takes its camera
// and the shake's end with it, and the next world must still shake.
TEST_F(WorldViewTest, AShakeCutOffByTeardownStillLetsTheNextWorldShake) {
  NullEffectHooks rules;
  ViewEffectHooks hooks(rules);
  build();
  frame();
  hooks.shakeScreen(false);
  EXPECT_FALSE(screenShakeAllowed()) << "one shake at a time";
  layer->teardownWorldView();
  build();
  frame();
  const std::vector<unsigned char> still = windowPixels();
  frame();
  ASSERT_EQ(windowPixels(), still) << "nothing moves in the test world by itself";
  hooks.shakeScreen(false);
  bool moved = false;
  for (int i = 0; i < 30; ++i) {  // half a second: the shake lasts a tenth
    frame();
    moved = moved || windowPixels() != still;
  }
  EXPECT_TRUE(moved) << "the second world's camera shook";
  EXPECT_EQ(windowPixels(), still) << "and came back to the screen's centre";
  EXPECT_TRUE(screenShakeAllowed());
}

TEST_F(WorldViewTest, AShotOfTheRunningGameIsTheDrawnViewTopRowFirst) {
  map->cell(9, 11).liquid = static_cast<uint8_t>(1 << 6 | 4 | 4 << 3);
  registerCustomShaders();
  loadGameTextures(atlases.path().string(), false);
  WorldShot shot;
  std::string error;
  ASSERT_TRUE(captureWorldView(running, 640, 360, "", shot, error)) << error;
  ASSERT_EQ(shot.width, kWindow);  // the window that exists keeps its size
  ASSERT_EQ(shot.height, kWindow);
  auto at = [&shot](int x, int yFromBottom) {
    const uint32_t p = shot.pixels[static_cast<size_t>(kWindow - 1 - yFromBottom) * kWindow + x];
    return Rgba{int(p >> 24), int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
  };
  EXPECT_TRUE(near(at(90, 30), blockColour(world_test::kDirt)));  // cell (10, 9)
  // Cell (9, 11) holds water, drawn additively over the planet's sky; cell (11, 11) is sky alone.
  EXPECT_FALSE(near(at(30, 150), at(150, 150), 10)) << "the water shows over the sky";
  EXPECT_GE(at(30, 150)[2], 250);
  EXPECT_FALSE(layer->hasWorldView()) << "the view built for the shot is taken down again";
  RunningWorld empty;
  EXPECT_FALSE(captureWorldView(empty, 640, 360, "", shot, error));
}

TEST(SignLabelPlace, TheBubbleStaysInsideTheScreen) {
  const engine::Size screen(400, 300);
  // Room above: above the sign.
  EXPECT_EQ(SignLabel::bubblePlace({200, 100}, screen, 1.0f), engine::Vec2(200, 100 + 42 + 26));
  // Near the top: below it.
  EXPECT_EQ(SignLabel::bubblePlace({200, 250}, screen, 1.0f), engine::Vec2(200, 250 - 42 - 26));
  // Near the left and right edges: 5 points inside.
  EXPECT_EQ(SignLabel::bubblePlace({10, 100}, screen, 1.0f).x, 68 + 5);
  EXPECT_EQ(SignLabel::bubblePlace({395, 100}, screen, 1.0f).x, 400 - 5 - 68);
}

}  // namespace

namespace worldgl {

TEST_F(WorldViewTest, ParticlesAreDrawnFromTheirLayersAtlasAndHiddenOnceGone) {
  WorldEntitiesMaker maker;
  running.world->setContext({.entities = &maker});
  WorldEntities& entities = *running.world->entities();
  build();
  spawnCutDebris(entities.debris(), world_test::kDirt, 0, false, 1, map->cell(10, 11), 0);
  ASSERT_EQ(entities.debris().size(), 1u);
  DebrisEntity& chip = entities.debris().at(0);
  EXPECT_EQ(chip.look.layer, DebrisLayer::B);
  // Held still over open air at cell (10, 11), as big as a cell, untinted.
  chip.data.x = 300;
  chip.data.y = 330;
  chip.look.rect = {1, 1, 30, 30};
  chip.look.rect.x = static_cast<uint16_t>(art::blockSpriteRect(world_test::kDirt, 0).origin.x);
  chip.look.scale = 1;
  chip.look.rotation = 0;
  chip.look.tint = {};
  chip.look.opacity = 255;
  chip.look.visible = true;
  frame();
  EXPECT_EQ(layer->particles()->shown(1), 1u);

  EXPECT_TRUE(near(cellPixel(10, 11), blockColour(world_test::kDirt)));

  entities.debris().clear();
  frame();
  EXPECT_EQ(layer->particles()->shown(1), 0u);
  EXPECT_TRUE(near(cellPixel(10, 11), {0, 0, 0, 255}));
  layer->teardownWorldView();
}

}  // namespace worldgl
