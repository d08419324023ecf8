// The main layer's start (the start view, the random seed) and the music check it carries.

#include "view/main_layer.h"

#include <gtest/gtest.h>

#include <vector>

#include "view/main_layer_views.h"
#include "engine/base/random.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "platform/audio/next_music_scheduler.h"
#include "view/music_action_scheduler.h"
#include "view/world_view_launch_services.h"

namespace {

class LayerRecorder : public MainLayerViews {
 public:
  void showStartView(MainLayer* layer) override { shownOn.push_back(layer); }
  void detachLayer(MainLayer* layer) override { detached.push_back(layer); }
  std::vector<MainLayer*> shownOn;
  std::vector<MainLayer*> detached;
};

class MainLayerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (layer != nullptr) layer->release();
    engine::PoolManager::getCurrentPool()->clear();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
  MainLayer* makeLayer() {
    layer = static_cast<MainLayer*>(services.createMainLayer());
    layer->retain();
    return layer;
  }
  // Frames of the director's scheduler, which also steps the actions.
  static void advance(float seconds) {
    engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
    for (float t = 0; t < seconds; t += 0.1f) scheduler->update(0.1f);
  }
  // A music check waits as an action of the layer under the music tag.
  bool musicCheckWaits() const {
    return layer != nullptr && layer->getActionManager()->getActionByTag(kel::nextMusicTag, layer) != nullptr;
  }

  LayerRecorder views;
  engine::Seam<MainLayerViews, NullMainLayerViews>::Scoped useViews{mainLayerViewsSeam(), views};
  WorldViewLaunchServices services;
  MainLayer* layer = nullptr;
};

TEST_F(MainLayerTest, ItsLifeShowsTheStartViewThenDetachesTheViewsAndClearsTheCurrentLayer) {
  MainLayer* created = makeLayer();
  EXPECT_EQ(views.shownOn, (std::vector<MainLayer*>{created}));
  EXPECT_EQ(MainLayer::current(), created);
  layer->release();
  layer = nullptr;
  engine::PoolManager::getCurrentPool()->clear();
  EXPECT_EQ(views.detached, (std::vector<MainLayer*>{created}));
  EXPECT_EQ(MainLayer::current(), nullptr);
}

TEST_F(MainLayerTest, CreationReseedsTheRandomGenerator) {
  engine::randomSeed(1);
  const int afterSeedOne = engine::randomNext();
  engine::randomSeed(1);
  makeLayer();
  std::vector<int> drawn;
  for (int i = 0; i < 4; ++i) drawn.push_back(engine::randomNext());
  engine::randomSeed(1);
  std::vector<int> fromOne;
  for (int i = 0; i < 4; ++i) fromOne.push_back(engine::randomNext());
  EXPECT_EQ(fromOne.front(), afterSeedOne);
  EXPECT_NE(drawn, fromOne);
}

TEST_F(MainLayerTest, TheMusicCheckRunsOnceAfterItsDelayUnderItsTag) {
  makeLayer();
  layer->onEnter();
  int checks = 0;
  kel::NextMusicScheduler& music = *services.nextMusicScheduler();
  music.schedule(1.0f, [&checks] { ++checks; });
  EXPECT_NE(layer->getActionManager()->getActionByTag(kel::nextMusicTag, layer), nullptr);
  advance(0.5f);
  EXPECT_EQ(checks, 0);
  advance(1.0f);
  EXPECT_EQ(checks, 1);
  advance(3.0f);
  EXPECT_EQ(checks, 1);
  layer->onExit();
}

TEST_F(MainLayerTest, ACancelledMusicCheckOrOneWithoutAMainLayerNeverRuns) {
  int checks = 0;
  MusicActionScheduler music;
  music.schedule(0.0f, [&checks] { ++checks; });  // no main layer yet: dropped
  EXPECT_FALSE(musicCheckWaits());
  makeLayer();
  layer->onEnter();
  music.schedule(1.0f, [&checks] { ++checks; });
  EXPECT_TRUE(musicCheckWaits());
  music.cancel();
  EXPECT_FALSE(musicCheckWaits());
  advance(2.0f);
  EXPECT_EQ(checks, 0);
  layer->onExit();
}

}  // namespace

TEST(MainLayerSteps, AFrameIsCountedInSixtiethsOfASecond) {
  EXPECT_FLOAT_EQ(MainLayer::stepsFor(1.0f / 60.0f), 1.0f);
  EXPECT_FLOAT_EQ(MainLayer::stepsFor(1.0f / 30.0f), 2.0f);
  EXPECT_FLOAT_EQ(MainLayer::stepsFor(0.0f), 0.0f);
}
