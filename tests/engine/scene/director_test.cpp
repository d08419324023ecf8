#include <gtest/gtest.h>

#include <vector>

#include "engine/scene/action_manager.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/scheduled_slots.h"
#include "engine/scene/scheduler.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// A scene that counts its visits and updates.
class CountingScene : public InnerNode {
 public:
  static CountingScene* create() {
    auto* scene = new CountingScene();
    scene->autorelease();
    return scene;
  }
  void draw(Renderer* renderer, const Mat4&, uint32_t) override {
    ++draws;
    lastRenderer = renderer;
  }
  void update(float dt) override { updates.push_back(dt); }

  int draws = 0;
  Renderer* lastRenderer = reinterpret_cast<Renderer*>(1);
  std::vector<float> updates;
};

using DirectorTest = scenetest::SceneTest;

TEST_F(DirectorTest, AFrameUpdatesVisitsAndDrainsThePoolAndATinyStepOnlyDrains) {
  CountingScene* scene = CountingScene::create();
  director()->runWithScene(scene);
  EXPECT_TRUE(scene->isRunning());
  director()->getScheduler()->scheduleUpdate(scene, false);
  Node* loose = Node::create();
  loose->retain();

  director()->mainLoop(0.25f);
  EXPECT_EQ(scene->updates, std::vector<float>{0.25f});
  EXPECT_EQ(scene->draws, 1);
  EXPECT_EQ(scene->lastRenderer, director()->getRenderer());  // the director's own renderer
  EXPECT_EQ(director()->getTotalFrames(), 1u);

  // A tiny step skips the frame but still drains the pool.
  loose->retain();
  loose->autorelease();
  director()->mainLoop(1e-8f);
  EXPECT_EQ(scene->updates.size(), 1u);
  EXPECT_EQ(director()->getTotalFrames(), 1u);
  EXPECT_EQ(loose->getReferenceCount(), 1u);

  loose->release();
}

TEST_F(DirectorTest, AStoppedDirectorNeitherRunsNorDrains) {
  CountingScene* scene = CountingScene::create();
  director()->runWithScene(scene);
  director()->stopAnimation();
  Node* loose = Node::create();
  director()->mainLoop(0.5f);
  EXPECT_EQ(scene->draws, 0);
  EXPECT_TRUE(PoolManager::getCurrentPool()->contains(loose));

  // Starting again makes the first step zero, so that the pause does not arrive as one jump.
  director()->startAnimation();
  director()->mainLoop(0.5f);
  EXPECT_EQ(scene->draws, 0);
  EXPECT_FALSE(PoolManager::getCurrentPool()->contains(loose));
  director()->mainLoop(0.5f);
  EXPECT_EQ(scene->draws, 1);
}

TEST_F(DirectorTest, ReplacingOrPurgingTheSceneLeavesAndCleansItUp) {
  CountingScene* first = CountingScene::create();
  first->retain();
  director()->runWithScene(first);
  director()->getScheduler()->scheduleUpdate(first, false);
  CountingScene* second = CountingScene::create();
  second->retain();
  second->addChild(Node::create());
  director()->runWithScene(second);
  EXPECT_FALSE(first->isRunning());
  EXPECT_FALSE(director()->getScheduler()->hasPerFrame(first));
  EXPECT_EQ(first->getReferenceCount(), 2u);  // the pool and the test

  director()->purgeDirector();
  EXPECT_FALSE(second->isRunning());
  EXPECT_EQ(second->getChildrenCount(), 0u);
  first->release();
  second->release();
}

using SlotTest = scenetest::SceneTest;

TEST_F(SlotTest, UnschedulingSilencesSlotsAndAOnceJobFiresOnce) {
  int a = 0;
  int runs = 0;
  std::vector<float> fired;
  scheduleSlot([&](float) { ++runs; }, 0.0f, 2, &a);
  scheduleSlot([&](float) { ++runs; }, 0.0f, 26, &a);  // outside the table: refused
  EXPECT_TRUE(unscheduleSlot(2));
  EXPECT_FALSE(unscheduleSlot(2));
  EXPECT_EQ(director()->getScheduler()->getTimerCount(&a), 0u);
  scheduleSlotOnce([&](float elapsed) { fired.push_back(elapsed); }, 0.05f, 8, &a);
  tick(1.0f);  // start
  tick(0.03f);
  tick(0.03f);
  tick(1.0f);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_NEAR(fired[0], 0.06f, 1e-6);
  EXPECT_EQ(scheduledSlots()[8], &a);
  EXPECT_EQ(runs, 0);
}

}  // namespace
