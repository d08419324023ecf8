#pragma once
// Every scene test starts without a director and leaves none behind, with the autorelease pool
// drained, the arrival counter restarted and the numbered slots empty.

#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/scheduler.h"

namespace scenetest {

inline void resetScene() {
  if (engine::Director::hasInstance()) {
    engine::Director::getInstance()->purgeDirector();
  }
  engine::PoolManager::getCurrentPool()->clear();
}

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override { resetScene(); }
  void TearDown() override { resetScene(); }

  engine::Director* director() { return engine::Director::getInstance(); }
  // One frame of the scheduler alone, as the director runs it.
  void tick(float dt) { director()->getScheduler()->update(dt); }
};

}  // namespace scenetest
