// The held item's motion through a swing, kind by kind: where it stands at the turn of the swing,
// how long the swing lasts, and that every kind ends where it started with its end steps run.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/scene/action.h"
#include "engine/scene/action_manager.h"
#include "tests/engine/scene/scene_fixture.h"
#include "view/player/player_sprite_swing.h"
#include "view/player/stepped_turn.h"

namespace {

struct SwingCase {
  uint8_t kind;
  float forthTime;   // the motion before its reverse, in units of h
  float turnAtPeak;  // the rotation when the forth motion ends
  float peakX;       // the position then
  float peakY;
};

class SwingActionsTest : public scenetest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    item = engine::InnerNode::create();
    item->retain();
  }
  void TearDown() override {
    item->release();
    SceneTest::TearDown();
  }
  // Runs the action to `seconds` in small steps.
  void runTo(engine::FiniteTimeAction* action, float seconds) {
    action->startWithTarget(item);
    action->step(0.0f);
    const int steps = static_cast<int>(std::lround(seconds / 0.001f));
    for (int i = 0; i < steps; ++i) action->step(0.001f);
    // Past the float sum's shortfall, so a turn that ends there has taken its last fixed angle.
    action->step(1e-5f);
  }
  engine::Node* item = nullptr;
};

TEST_F(SwingActionsTest, EachKindTurnsAndMovesTheItemThenBringsItBack) {
  // h = 0.1 s, a = 60, o = (6, 4); kind 4 thrusts along o turned by 90 - 30 degrees.
  const float c = std::cos(60.0f * 3.14159265f / 180.0f);
  const float s = std::sin(60.0f * 3.14159265f / 180.0f);
  const SwingCase cases[] = {
      {0, 1.0f, 60.0f, 6.0f, 4.0f},
      {1, 1.0f, 60.0f, 6.0f, 4.0f},
      {2, 0.7f, 60.0f, 6.0f, 4.0f},
      {3, 1.2f, 60.0f, 6.0f, 4.0f},
      {4, 0.5f, 30.0f, 6.0f * c - 4.0f * s, 4.0f * c + 6.0f * s},
      {9, 1.0f, 60.0f, 6.0f, 4.0f},  // later kinds swing as kind 0
  };
  for (const SwingCase& k : cases) {
    item->setPosition(engine::Vec2(0, 0));
    item->setRotation(k.kind == 4 ? 30.0f : 0.0f);
    SwingMotion motion{k.kind, 0.1f, 60.0f, engine::Vec2(6, 4), item->getRotation()};
    int ends = 0;
    int restores = 0;
    engine::FiniteTimeAction* swing = makeSwingAction(true, motion, [] {}, [&ends] { ++ends; }, [&restores] { ++restores; });
    swing->retain();
    EXPECT_NEAR(swing->getDuration(), 2 * k.forthTime * 0.1f, 1e-4f) << int(k.kind);
    runTo(swing, k.forthTime * 0.1f);
    EXPECT_NEAR(item->getRotation(), k.turnAtPeak, 0.05f) << int(k.kind);
    EXPECT_NEAR(item->getPositionX(), k.peakX, 0.05f) << int(k.kind);
    EXPECT_NEAR(item->getPositionY(), k.peakY, 0.05f) << int(k.kind);
    for (int i = 0; i < 400 && !swing->isDone(); ++i) swing->step(0.001f);
    EXPECT_TRUE(swing->isDone());
    EXPECT_NEAR(item->getRotation(), k.kind == 4 ? 30.0f : 0.0f, 0.01f) << int(k.kind);
    EXPECT_NEAR(item->getPositionX(), 0.0f, 0.01f) << int(k.kind);
    EXPECT_EQ(ends, 1) << int(k.kind);
    EXPECT_EQ(restores, 1) << int(k.kind);
    swing->release();
  }
}

TEST_F(SwingActionsTest, TheItemTurnsThroughFixedAnglesOnlyAndRestsOnTheNearestOne) {
  item->setPosition(engine::Vec2(0, 0));
  item->setRotation(0.0f);
  SwingMotion motion{0, 0.1f, 100.0f, engine::Vec2(0, 0), 0.0f};
  engine::FiniteTimeAction* swing = makeSwingAction(true, motion, [] {}, [] {}, nullptr);
  swing->retain();
  swing->startWithTarget(item);
  swing->step(0.0f);
  std::set<float> seen;
  for (int i = 0; i < 400 && !swing->isDone(); ++i) {
    swing->step(0.001f);
    seen.insert(item->getRotation());
  }
  // On the way: 0, 45 and 90; the turn's own end, 100; and back the same way.
  EXPECT_EQ(seen, (std::set<float>{0.0f, 45.0f, 90.0f, 100.0f}));
  swing->release();
  EXPECT_FLOAT_EQ(SteppedTurn::restingAngle(-30.0f), -45.0f);
  EXPECT_FLOAT_EQ(SteppedTurn::restingAngle(-20.0f), 0.0f);
  EXPECT_FLOAT_EQ(SteppedTurn::restingAngle(100.0f), 90.0f);
}

TEST_F(SwingActionsTest, AnItemWithoutARecordJabsAndMirrorsTwiceEachWay) {
  int mirrors = 0;
  SwingMotion motion;
  engine::FiniteTimeAction* jab = makeSwingAction(false, motion, [&mirrors] { ++mirrors; }, [] {}, nullptr);
  jab->retain();
  EXPECT_NEAR(jab->getDuration(), 0.22f, 1e-4f);
  runTo(jab, 0.11f);
  EXPECT_NEAR(item->getPositionX(), 20.0f, 0.05f);
  EXPECT_NEAR(item->getPositionY(), 2.0f, 0.05f);
  for (int i = 0; i < 400 && !jab->isDone(); ++i) jab->step(0.001f);
  EXPECT_EQ(mirrors, 4) << "an even number: the item faces as it did";
  EXPECT_NEAR(item->getPositionX(), 0.0f, 0.01f);
  jab->release();
}

}  // namespace
