// The game's screen through the main layer: the loading state clears the layer, entering the world
// builds its view (and only re-centres it when it is built already), the sleep fade comes and goes,
// the start view takes the world's view down, and a darker clock re-tints the window.

#include "view/view_game_screen.h"

#include <gtest/gtest.h>

#include "tests/view/world_view_fixture.h"
#include "view/tiles/block_sprite.h"
#include "view/tiles/tile_refresh.h"
#include "view/tiles/tile_sprites.h"

namespace {

using namespace worldgl;

class ViewGameScreenTest : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    registerCustomShaders();
    loadGameTextures(atlases.path().string(), false);
    WorldContext context = running.world->context();
    context.lightBatching = &refresh;  // the world's re-tints reach the drawn tiles
    running.world->setContext(context);
  }
  engine::Node* childTagged(int tag) {
    for (engine::Node* child : layer->getChildren()) {
      if (child->getTag() == tag) return child;
    }
    return nullptr;
  }

  ViewGameScreen screen{running};
  TileRefresh refresh;
};

TEST_F(ViewGameScreenTest, LoadingClearsTheLayerAndEnteringTheWorldBuildsItsView) {
  screen.enterMainView();
  ASSERT_TRUE(layer->hasWorldView());
  screen.showLoading(GameScreen::kNoText);
  EXPECT_TRUE(screen.loading());
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(TileSprites::current(), nullptr);
  screen.setLoadingText("Placing the ores");  // no label without its font: nothing to set, no fault
  screen.enterMainView();
  EXPECT_FALSE(screen.loading());
  ASSERT_TRUE(layer->hasWorldView());
  EXPECT_EQ(childTagged(MainLayer::kLoadingLabelTag), nullptr);
  // Entering again (a respawn) keeps the tree and re-centres on the player.
  engine::InnerNode* root = layer->rootNode();
  standAt(30, 20);
  screen.enterMainView();
  EXPECT_EQ(layer->rootNode(), root);
  EXPECT_EQ(layer->tiles()->centreX(), 30);
  frame();
}

TEST_F(ViewGameScreenTest, TheSleepFadeComesAndGoesAndTheStartViewTakesTheWorldDown) {
  screen.enterMainView();
  screen.showSleepFade();
  engine::Node* fade = childTagged(MainLayer::kSleepFadeTag);
  ASSERT_NE(fade, nullptr);
  for (int i = 0; i < 60; ++i) frame();
  EXPECT_GT(fade->getDisplayedOpacity(), 200);
  screen.removeSleepFade();
  EXPECT_EQ(childTagged(MainLayer::kSleepFadeTag), nullptr);
  screen.showStartView(0);
  EXPECT_FALSE(layer->hasWorldView());
}

TEST_F(ViewGameScreenTest, ADarkerClockReTintsTheWindowAndAnUnchangedOneDoesNot) {
  screen.enterMainView();
  TileSpriteRecord* dirt = layer->tiles()->at(map->cell(10, 9));
  ASSERT_NE(dirt, nullptr);
  running.world->dayClock().darkness = 10;
  screen.clockStepped(DayClockStep{.tick = 1, .phase = DayPhase::Day, .darknessChanged = false});
  EXPECT_EQ(dirt->sprites[TileSpriteRecord::kFront]->getDisplayedColor(), (engine::Color3B{255, 255, 255}));
  screen.clockStepped(DayClockStep{.tick = 2, .phase = DayPhase::Day, .darknessChanged = true});
  EXPECT_EQ(dirt->sprites[TileSpriteRecord::kFront]->getDisplayedColor(), (engine::Color3B{147, 147, 147}));
}

}  // namespace
