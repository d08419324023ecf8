#include <gtest/gtest.h>

#include <vector>

#include "engine/scene/action_manager.h"
#include "engine/scene/inner_node.h"
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
  EXPECT_EQ(first->getReferenceCount(), 2u);  // the pool and the test
  director()->mainLoop(0.25f);  // the scene that left is updated no more
  EXPECT_TRUE(first->updates.empty());

  director()->purgeDirector();
  EXPECT_FALSE(second->isRunning());
  EXPECT_EQ(second->getChildrenCount(), 0u);
  first->release();
  second->release();
}

}  // namespace
