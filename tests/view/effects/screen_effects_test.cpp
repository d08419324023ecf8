// The screen shake and the environment tint, stepped by the scheduler as the frames would.

#include <gtest/gtest.h>

#include "engine/base/random.h"
#include "engine/scene/action_manager.h"
#include "tests/engine/scene/scene_fixture.h"
#include "view/effects/screen_shake.h"
#include "view/effects/screen_tint.h"
#include "tests/support/screen_shake_probe.h"

namespace {

class ScreenEffectsTest : public scenetest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    resetScreenShake();
    engine::randomSeed(7);
    layer = engine::InnerNode::create();
    layer->retain();
  }
  void TearDown() override {
    layer->release();
    resetScreenShake();
    SceneTest::TearDown();
  }
  void frames(int count) {
    tick(0.0f);
    for (int i = 0; i < count; ++i) tick(1.0f / 60.0f);
  }
  engine::Node* tint() {
    for (engine::Node* child : layer->getChildren()) {
      if (child->getTag() == kScreenTintTag) return child;
    }
    return nullptr;
  }

  engine::InnerNode* layer = nullptr;
  const engine::Size screen{800, 600};
};

TEST_F(ScreenEffectsTest, ASecondShakeWhileOneRunsIsDroppedAndTheCameraComesBack) {
  const engine::Vec2 centre{400, 300};
  layer->setPosition(centre);
  shakeScreen(*layer, centre, false);
  EXPECT_FALSE(screenShakeAllowed());
  EXPECT_EQ(makeScreenShakeAction(true), nullptr);
  EXPECT_EQ(director()->getActionManager()->getNumberOfRunningActionsInTarget(layer), 1u);
  frames(30);
  EXPECT_TRUE(screenShakeAllowed());
  EXPECT_EQ(layer->getPosition(), centre);
}

TEST_F(ScreenEffectsTest, TheTintFadesInRecoloursAfterwardsAndFadesOutOnce) {
  showScreenTint(*layer, screen, 1);
  ASSERT_NE(tint(), nullptr);
  EXPECT_EQ(tint()->getColor(), (engine::Color3B{22, 59, 110}));
  // While it fades in, another state waits.
  showScreenTint(*layer, screen, 2);
  EXPECT_EQ(tint()->getColor(), (engine::Color3B{22, 59, 110}));
  frames(20);
  EXPECT_EQ(tint()->getOpacity(), 100);
  showScreenTint(*layer, screen, 2);
  EXPECT_EQ(tint()->getColor(), (engine::Color3B{133, 24, 0}));

  showScreenTint(*layer, screen, 0);
  showScreenTint(*layer, screen, 0);
  EXPECT_EQ(director()->getActionManager()->getNumberOfRunningActionsInTarget(tint()), 1u);
  frames(20);
  EXPECT_EQ(tint(), nullptr);
  EXPECT_EQ(layer->getChildrenCount(), 0u);
}

TEST_F(ScreenEffectsTest, LeavingWhileTheFadeInRunsLetsItFinishAndTheNextCallFadesOut) {
  showScreenTint(*layer, screen, 3);
  showScreenTint(*layer, screen, 0);
  frames(20);
  ASSERT_NE(tint(), nullptr);
  EXPECT_EQ(tint()->getOpacity(), 100);
  showScreenTint(*layer, screen, 0);
  frames(20);
  EXPECT_EQ(tint(), nullptr);
}

}  // namespace
