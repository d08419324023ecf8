// Tile hits on the tile window: a hit cell's front (or back) sprite and the decorations of that
// side wobble and come back to their scale; the refusal overlay shows over a cell for 0.6 s, moves
// when shown again, and is forgotten when the window recentres.

#include <gtest/gtest.h>

#include "engine/scene/action_manager.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/view/tiles/tile_window_fixture.h"
#include "view/effects/tile_hits_window.h"

namespace {

class TileHitsTest : public tiletest::TileWindowTest {
 protected:
  void SetUp() override {
    scenetest::resetScene();
    TileWindowTest::SetUp();
  }
  void TearDown() override {
    hits.reset();
    TileWindowTest::TearDown();
    scenetest::resetScene();
  }
  engine::Director* director() { return engine::Director::getInstance(); }
  size_t actionsOn(engine::Node* node) { return director()->getActionManager()->getNumberOfRunningActionsInTarget(node); }
  void seconds(float total) {
    director()->getScheduler()->update(0.0f);
    for (float t = 0; t < total; t += 1.0f / 60.0f) director()->getScheduler()->update(1.0f / 60.0f);
  }

  std::unique_ptr<TileWindowHits> hits = std::make_unique<TileWindowHits>();
};

TEST_F(TileHitsTest, AHitWobblesTheFrontSpriteAndItsSidesDecorationsOnly) {
  MapBlock& cell = map->cell(10, 9);
  cell.decos[0] = map_deco::make(world_test::kGlass, 0, 0);  // front side
  cell.decos[1] = map_deco::make(world_test::kGlass, 0, 1);  // back side
  show(10, 10);
  BlockSprite* front = slot(10, 9, TileSpriteRecord::kFront);
  BlockSprite* frontDeco = slot(10, 9, TileSpriteRecord::kFirstDeco);
  ASSERT_NE(front, nullptr);
  ASSERT_NE(frontDeco, nullptr);
  front->setScaleX(-1.0f);  // a mirrored block stays mirrored
  EXPECT_TRUE(hits->animateTileHit(cell));
  EXPECT_EQ(actionsOn(front), 1u);
  EXPECT_EQ(actionsOn(frontDeco), 1u);
  if (BlockSprite* backDeco = slot(10, 9, TileSpriteRecord::kFirstDeco + 1)) {
    EXPECT_EQ(actionsOn(backDeco), 0u);
  }
  director()->getScheduler()->update(0.0f);
  director()->getScheduler()->update(0.01f);
  EXPECT_NEAR(front->getScaleX(), -1.1f, 0.02f);
  seconds(0.1f);
  EXPECT_FLOAT_EQ(front->getScaleX(), -1.0f);
  EXPECT_FLOAT_EQ(front->getScaleY(), 1.0f);
  EXPECT_FALSE(hits->animateTileHit(map->cell(30, 9))) << "outside the window";
}

TEST_F(TileHitsTest, WithoutAFrontTheBackSpriteWobbles) {
  MapBlock& cell = map->cell(11, 9);
  cell.setFront(0, 0, 0);
  cell.setLayer(world_test::kDirt, 0, MapBlock::kBack);
  show(10, 10);
  BlockSprite* back = slot(11, 9, TileSpriteRecord::kBack);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(hits->animateTileHit(cell));
  EXPECT_EQ(actionsOn(back), 1u);
}

TEST_F(TileHitsTest, TheOverlayShowsForAMomentMovesWhenShownAgainAndGoesWithARecentre) {
  show(10, 10);
  hits->showTileOverlay(engine::Vec2(300, 300));
  BlockSprite* overlay = hits->overlay();
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(overlay->getParent(), blocks);
  EXPECT_EQ(overlay->getLocalZOrder(), TileWindowHits::kOverlayZ);
  seconds(0.4f);
  hits->showTileOverlay(engine::Vec2(330, 300));
  EXPECT_EQ(hits->overlay(), overlay) << "one overlay, moved";
  EXPECT_FLOAT_EQ(overlay->getPositionX(), 330.0f);
  seconds(0.4f);
  EXPECT_NE(hits->overlay(), nullptr) << "its time started again";
  seconds(0.3f);
  EXPECT_EQ(hits->overlay(), nullptr);

  hits->showTileOverlay(engine::Vec2(300, 300));
  window->recentre(12, 10);
  EXPECT_EQ(hits->overlay(), nullptr);
  hits->showTileOverlay(engine::Vec2(360, 300));
  EXPECT_NE(hits->overlay(), nullptr) << "a new one after the recentre";
}

// A refusal's mark that has timed out is gone; a resize or a world-scale change afterwards rebuilds
// and recentres the window, which must not reach for the mark again.
TEST_F(TileHitsTest, AWindowRebuiltAfterTheOverlayTimedOutKeepsWorking) {
  show(10, 10);
  hits->showTileOverlay(engine::Vec2(300, 300));
  seconds(1.0f);
  ASSERT_EQ(hits->overlay(), nullptr);
  engine::PoolManager::getCurrentPool()->clear();  // the frame's end frees it
  window->rebuildWindow(world.get(), tiletest::kColumns + 2, tiletest::kRows);
  window->recentre(10, 10);
  EXPECT_EQ(window->columns(), tiletest::kColumns + 2);
  EXPECT_NE(slot(10, 9, TileSpriteRecord::kFront), nullptr) << "the ground is drawn again";
  hits->showTileOverlay(engine::Vec2(300, 300));
  EXPECT_NE(hits->overlay(), nullptr);
}

}  // namespace
