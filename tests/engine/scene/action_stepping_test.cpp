#include "engine/scene/action_stepping.h"

#include <gtest/gtest.h>

#include "engine/base/ref_ptr.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// A tree of every kind the manager steps directly, with a scale (stepped through its virtual
// functions) among them: moves out and back, a turn padded with a delay, then a scale.
RepeatForever* mixedTree() {
  auto* move = MoveBy::create(0.7f, Vec2(5, -3));
  auto* outAndBack = Sequence::createWithTwoActions(move, move->reverse());
  auto* turn = Sequence::createWithTwoActions(RotateBy::create(0.5f, 30), DelayTime::create(0.2f));
  auto* moving = Spawn::createWithTwoActions(outAndBack, turn);
  return RepeatForever::create(
      Sequence::createWithTwoActions(moving, ScaleTo::create(0.3f, 2.0f)));
}

class ActionSteppingTest : public scenetest::SceneTest {};

// The direct calls must do exactly what the actions' own virtual step does, through every
// change of half, every restart of the cycle and frames long enough to skip a whole half.
TEST_F(ActionSteppingTest, SteppingByKindMatchesTheActionsOwnStep) {
  RefPtr<Node> direct(Node::create());
  RefPtr<Node> virtualNode(Node::create());
  RefPtr<Action> byKind(mixedTree());
  RefPtr<Action> byVirtual(mixedTree());
  byKind->startWithTarget(direct.get());
  byVirtual->startWithTarget(virtualNode.get());
  const float frames[] = {1.0f / 60, 0.25f, 0.001f, 0.9f, 1.0f / 30, 2.5f, 0.0f, 0.4f};
  for (int round = 0; round < 40; ++round) {
    for (float dt : frames) {
      stepAction(byKind.get(), dt);
      byVirtual->step(dt);
      ASSERT_EQ(direct->getPosition().x, virtualNode->getPosition().x);
      ASSERT_EQ(direct->getPosition().y, virtualNode->getPosition().y);
      ASSERT_EQ(direct->getRotation(), virtualNode->getRotation());
      ASSERT_EQ(direct->getScale(), virtualNode->getScale());
      ASSERT_EQ(isActionDone(byKind.get()), byVirtual->isDone());
    }
  }
  EXPECT_NE(direct->getRotation(), 0.0f);
}

TEST_F(ActionSteppingTest, AFinishedIntervalIsDoneByKindAsByItsOwnAnswer) {
  RefPtr<Node> node(Node::create());
  RefPtr<Action> move(MoveBy::create(0.5f, Vec2(1, 1)));
  move->startWithTarget(node.get());
  stepAction(move.get(), 0.0f);
  stepAction(move.get(), 0.4f);
  EXPECT_EQ(isActionDone(move.get()), move->isDone());
  EXPECT_FALSE(isActionDone(move.get()));
  stepAction(move.get(), 0.1f);
  EXPECT_TRUE(isActionDone(move.get()));
  EXPECT_EQ(node->getPosition().x, 1.0f);
}

}  // namespace
