#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tint_to.h"
#include "engine/scene/tween_function.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// An interval action that records every progress value it is handed.
class Recorder : public ActionInterval {
 public:
  static Recorder* create(float duration, std::vector<float>* seen) {
    auto* action = new Recorder(seen);
    action->initWithDuration(duration);
    action->autorelease();
    return action;
  }
  Recorder* clone() const override { return create(duration_, seen_); }
  Recorder* reverse() const override { return create(duration_, seen_); }
  void update(float t) override { seen_->push_back(t); }

 private:
  explicit Recorder(std::vector<float>* seen) : seen_(seen) {}
  std::vector<float>* seen_;
};

class ActionTest : public scenetest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    node = InnerNode::create();
    node->retain();  // frames drain the autorelease pool
    manager = director()->getActionManager();
  }
  void TearDown() override {
    node->release();
    SceneTest::TearDown();
  }
  Action* run(Action* action) {
    manager->addAction(action, node);
    return action;
  }
  void frames(int count, float dt) {
    for (int i = 0; i < count; ++i) tick(dt);
  }
  // The starting step (t = 0) and then one step of dt.
  void startThen(float dt) {
    tick(0.0f);
    tick(dt);
  }

  InnerNode* node = nullptr;
  ActionManager* manager = nullptr;
};

TEST_F(ActionTest, FirstStepAppliesZeroAndTheEndIsAppliedOnceThenTheActionGoes) {
  std::vector<float> seen;
  run(Recorder::create(1.0f, &seen));
  tick(5.0f);  // the first step drops its dt
  frames(3, 0.25f);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 1u);
  tick(0.5f);  // overshoots: t clamps to 1
  tick(0.5f);
  EXPECT_EQ(seen, (std::vector<float>{0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 0u);

  // A zero duration still takes two frames: t = 0, then t = 1.
  seen.clear();
  run(Recorder::create(0.0f, &seen));
  tick(0.1f);
  EXPECT_EQ(seen, std::vector<float>{0.0f});
  tick(0.1f);
  EXPECT_EQ(seen, (std::vector<float>{0.0f, 1.0f}));
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionTest, PropertyActionsReachTheirEnds) {
  node->setOpacity(200);
  node->setColor(Color3B{0, 100, 200});
  run(MoveTo::create(1.0f, Vec2(100, 50)));
  run(FadeTo::create(1.0f, 100));
  run(TintTo::create(1.0f, 200, 100, 0));
  startThen(0.5f);
  EXPECT_FLOAT_EQ(node->getPositionX(), 50);
  EXPECT_EQ(node->getColor(), (Color3B{100, 100, 100}));
  tick(0.5f);
  EXPECT_EQ(node->getPosition(), Vec2(100, 50));
  EXPECT_EQ(node->getOpacity(), 100);
  EXPECT_EQ(node->getColor(), (Color3B{200, 100, 0}));
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionTest, SequenceMapsOneTimeOntoBothHalves) {
  run(Sequence::createWithTwoActions(MoveBy::create(1.0f, Vec2(10, 0)),
                                     MoveBy::create(1.0f, Vec2(0, 10))));
  startThen(0.5f);
  EXPECT_EQ(node->getPosition(), Vec2(5, 0));
  tick(0.75f);  // 0.25 s past the first half already counts for the second
  EXPECT_FLOAT_EQ(node->getPositionX(), 10);
  EXPECT_FLOAT_EQ(node->getPositionY(), 2.5f);
  tick(10.0f);
  EXPECT_EQ(node->getPosition(), Vec2(10, 10));
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionTest, RepeatForeverCarriesTheOvershootAndRunsCallbacksOncePerCycle) {
  run(RepeatForever::create(MoveBy::create(1.0f, Vec2(10, 0))));
  int calls = 0;
  run(RepeatForever::create(Sequence::createWithTwoActions(DelayTime::create(0.5f),
                                                           CallFunc::create([&] { ++calls; }))));
  tick(0.0f);
  tick(2.5f);  // one cycle ends; the overshoot past a whole cycle wraps to 0.5
  EXPECT_FLOAT_EQ(node->getPositionX(), 15);
  tick(0.75f);  // 1.25 into the second cycle: it ends and the next is 0.25 in
  EXPECT_FLOAT_EQ(node->getPositionX(), 22.5f);
  calls = 0;
  tick(0.2f);  // 0.45 into the delay: the callback waits for its end
  EXPECT_EQ(calls, 0);
  frames(20, 0.25f);  // 5 s: ten cycles of the callback
  EXPECT_EQ(calls, 10);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 2u);
}

// An ease that starts and ends slowly; in floats its value at t = 1 is not exactly 1.
float sineInOut(float t) { return -0.5f * (std::cos(3.1415927f * t) - 1.0f); }

TEST_F(ActionTest, EasedActionsHandTheirInnerActionEasedTimeExactAtBothEnds) {
  std::vector<float> seen;
  run(EaseTemplate<sineInOut>::create(Recorder::create(1.0f, &seen)));
  startThen(1.0f);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NEAR(seen[0], 0.0f, 1e-7);
  EXPECT_NEAR(seen[1], 1.0f, 1e-7);
}

TEST_F(ActionTest, ACallbackMayRemoveEveryActionOfItsOwnTarget) {
  std::vector<float> other;
  int calls = 0;
  run(Sequence::createWithTwoActions(CallFunc::create([&] {
                                       ++calls;
                                       manager->removeAllActionsFromTarget(node);
                                     }),
                                     MoveBy::create(1.0f, Vec2(5, 0))));
  run(Recorder::create(1.0f, &other));
  tick(0.1f);  // the sequence is salvaged, finishes its step and is let go afterwards
  tick(0.1f);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(other.empty());
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionTest, TargetsRemovedBetweenAndDuringWalksLeaveEveryOtherTargetSteppedOnce) {
  // Removing a target hands its place in the walk to another one; none may be skipped or
  // stepped twice, whether the removal happens outside a walk or from inside one.
  std::vector<Node*> targets;
  std::vector<std::vector<float>> seen(10);
  for (auto& values : seen) {
    targets.push_back(Node::create());
    targets.back()->retain();
    manager->addAction(Recorder::create(100.0f, &values), targets.back());
  }
  run(CallFunc::create([&] {
    manager->removeAllActionsFromTarget(targets[0]);
    manager->removeAllActionsFromTarget(targets[9]);
  }));
  tick(0.1f);
  manager->removeAllActionsFromTarget(targets[3]);
  manager->removeAllActionsFromTarget(targets[4]);
  std::vector<size_t> before;
  for (const auto& values : seen) before.push_back(values.size());
  frames(2, 0.1f);
  for (size_t i = 0; i < targets.size(); ++i) {
    const bool gone = i == 0 || i == 3 || i == 4 || i == 9;
    EXPECT_EQ(seen[i].size() - before[i], gone ? 0u : 2u) << "target " << i;
    EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(targets[i]), gone ? 0u : 1u);
    targets[i]->release();
  }
}

TEST_F(ActionTest, ATargetEmptiedAndRefilledDuringAStepStartsAfreshUnpaused) {
  InnerNode* other = InnerNode::create();
  std::vector<float> stale, fresh;
  manager->addAction(Recorder::create(1.0f, &stale), other);
  manager->pauseTarget(other);
  run(CallFunc::create([&] {
    manager->removeAllActionsFromTarget(other);
    manager->addAction(Recorder::create(1.0f, &fresh), other);
  }));
  tick(0.1f);
  tick(0.1f);
  EXPECT_TRUE(stale.empty());
  EXPECT_FALSE(fresh.empty());
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(other), 1u);
}

TEST_F(ActionTest, AFadesReverseOutlivesItsSourceAndReturnsToItsStart) {
  node->setOpacity(40);
  FadeOut* out = FadeOut::create(1.0f);
  run(out);
  startThen(1.0f);
  EXPECT_EQ(node->getOpacity(), 0);
  ReversibleFade* back = out->reverse();
  back->retain();
  // The source goes: the manager dropped it when it finished, and the pool drops the rest.
  PoolManager::getCurrentPool()->clear();
  run(back);
  back->release();
  startThen(1.0f);
  EXPECT_EQ(node->getOpacity(), 40);
}

// An instant action that removes itself from the manager when it is stopped, and counts the
// instances still alive so a dropped reference shows.
class SelfRemoving : public ActionInstant {
 public:
  static int alive;
  static SelfRemoving* create(ActionManager* manager) {
    auto* action = new SelfRemoving(manager);
    action->autorelease();
    return action;
  }
  ~SelfRemoving() override { --alive; }
  SelfRemoving* clone() const override { return create(manager_); }
  SelfRemoving* reverse() const override { return nullptr; }
  void update(float) override {}
  void stop() override {
    ActionInstant::stop();
    manager_->removeAction(this);
  }

 private:
  explicit SelfRemoving(ActionManager* manager) : manager_(manager) { ++alive; }
  ActionManager* manager_;
};
int SelfRemoving::alive = 0;

TEST_F(ActionTest, AnActionThatRemovesItselfWhenStoppedIsFreedAndTheOthersRun) {
  std::vector<float> seen;
  run(SelfRemoving::create(manager));
  run(Recorder::create(1.0f, &seen));
  PoolManager::getCurrentPool()->clear();
  tick(0.0f);
  EXPECT_EQ(SelfRemoving::alive, 0);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(node), 1u);
  EXPECT_EQ(seen, (std::vector<float>{0.0f}));
}

TEST_F(ActionTest, CompositesRemovedAheadOfTheWalkLeaveTheOthersRunning) {
  // The walk looks into the nested actions of targets a few places ahead of the one it steps;
  // a step that removes (and so frees) those actions must leave nothing behind to be read.
  std::vector<Node*> targets;
  run(CallFunc::create([&] {
    for (size_t i = 0; i < targets.size(); i += 2) manager->removeAllActionsFromTarget(targets[i]);
  }));
  for (int i = 0; i < 40; ++i) {
    targets.push_back(Node::create());
    targets.back()->retain();
    MoveBy* move = MoveBy::create(1.0f, Vec2(4, 0));
    auto* cycle = Sequence::createWithTwoActions(move, move->reverse());
    manager->addAction(
        RepeatForever::create(Spawn::createWithTwoActions(cycle, RotateBy::create(1.0f, 90))),
        targets.back());
  }
  startThen(0.25f);
  for (size_t i = 0; i < targets.size(); ++i) {
    const bool removed = i % 2 == 0;
    EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(targets[i]), removed ? 0u : 1u);
    EXPECT_FLOAT_EQ(targets[i]->getRotation(), removed ? 0.0f : 22.5f) << "target " << i;
    targets[i]->release();
  }
}

}  // namespace
