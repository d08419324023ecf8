// The action manager's one block of compiled records, in the cases that move or leave records
// behind: actions stopped from inside a walk, a node removed mid-sequence, the block laid out
// again under running programs, and paused targets. Each compiled node is checked against a twin
// whose actions are stepped by their objects alone.

#include <gtest/gtest.h>

#include <vector>

#include "engine/base/ref_ptr.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/flat_action.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// A node moving out and back and turning, forever: the scene benchmark's tree.
RepeatForever* outAndBack(float move) {
  auto* there = MoveBy::create(move, Vec2(4, 2));
  auto* cycle = Sequence::createWithTwoActions(there, there->reverse());
  return RepeatForever::create(Spawn::createWithTwoActions(cycle, RotateBy::create(2.0f, 90)));
}

Sequence* moveThenTurn() {
  return Sequence::createWithTwoActions(MoveBy::create(0.5f, Vec2(10, 0)),
                                        RotateBy::create(0.5f, 45));
}

// Spawns nested `depth` deep, each adding a move or a turn of its own length: deeper than a
// walk keeps second parts for later, and with moves whose order shows in the node's place.
Spawn* nestedSpawns(int depth) {
  FiniteTimeAction* nest = MoveBy::create(0.7f, Vec2(3, 1));
  for (int level = 1; level < depth; ++level) {
    FiniteTimeAction* side = nullptr;
    if (level % 2 == 0) {
      side = MoveBy::create(0.2f + 0.1f * level, Vec2(static_cast<float>(level), -1.5f));
    } else {
      side = RotateBy::create(0.3f + 0.1f * level, 10.0f * level);
    }
    nest = Spawn::createWithTwoActions(nest, side);
  }
  return static_cast<Spawn*>(nest);
}

// A compiled node and its twin driven by the objects of a second copy of the same actions.
struct Pair {
  RefPtr<Node> node{Node::create()};
  RefPtr<Node> twin{Node::create()};
  RefPtr<Action> objects;

  void start(ActionManager* manager, Action* compiled, Action* copy) {
    manager->addAction(compiled, node.get());
    objects.reset(copy);
    objects->startWithTarget(twin.get());
  }
  void stepTwin(float dt) { objects->step(dt); }
  void expectSame() const {
    ASSERT_EQ(node->getPosition(), twin->getPosition());
    ASSERT_EQ(node->getRotation(), twin->getRotation());
  }
};

class ActionBlockTest : public scenetest::SceneTest {
 protected:
  ActionManager* manager() { return director()->getActionManager(); }
  // Steps the manager and every pair's twin through one frame, and compares them.
  void frame(std::vector<Pair>& pairs, float dt) {
    manager()->update(dt);
    for (Pair& pair : pairs) {
      pair.stepTwin(dt);
      pair.expectSame();
    }
  }
};

TEST_F(ActionBlockTest, ACallbackThatStopsItsOwnTargetsActionsLeavesTheOtherProgramsExact) {
  std::vector<Pair> pairs(3);
  for (size_t i = 0; i < pairs.size(); ++i) {
    pairs[i].start(manager(), outAndBack(1.0f + 0.1f * i), outAndBack(1.0f + 0.1f * i));
  }
  // A node between them whose own callback stops its move and itself half-way.
  RefPtr<Node> stopped(Node::create());
  Action* move = MoveBy::create(1.0f, Vec2(8, 0));
  manager()->addAction(move, stopped.get());
  int calls = 0;
  manager()->addAction(Sequence::createWithTwoActions(DelayTime::create(0.5f), CallFunc::create([&] {
                                                        ++calls;
                                                        manager()->removeAllActionsFromTarget(
                                                            stopped.get());
                                                      })),
                       stopped.get());
  pairs.push_back(Pair{});
  pairs.back().start(manager(), outAndBack(1.7f), outAndBack(1.7f));
  for (int i = 0; i < 60; ++i) frame(pairs, 0.05f);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(manager()->getNumberOfRunningActionsInTarget(stopped.get()), 0u);
  EXPECT_FLOAT_EQ(stopped->getPosition().x, 4.0f);  // half-way, and no further
}

TEST_F(ActionBlockTest, ANodeRemovedWhileItsSequenceRunsStopsWhereItIsAndTheOthersFinish) {
  RefPtr<InnerNode> parent(InnerNode::create());
  std::vector<Pair> pairs(2);
  Node* removed = Node::create();
  parent->addChild(removed);
  pairs[0].start(manager(), moveThenTurn(), moveThenTurn());
  manager()->addAction(moveThenTurn(), removed);
  pairs[1].start(manager(), moveThenTurn(), moveThenTurn());
  RefPtr<Node> kept(removed);
  for (int i = 0; i < 4; ++i) frame(pairs, 0.1f);
  removed->removeFromParentAndCleanup();
  const Vec2 where = removed->getPosition();
  EXPECT_GT(where.x, 0.0f);
  for (int i = 0; i < 10; ++i) frame(pairs, 0.1f);
  EXPECT_EQ(removed->getPosition(), where);
  EXPECT_EQ(removed->getRotation(), 0.0f);
  EXPECT_EQ(manager()->getNumberOfRunningActionsInTarget(pairs[1].node.get()), 0u);
  EXPECT_EQ(pairs[1].node->getRotation(), 45.0f);
}

// Enough short actions come and go on other nodes that the block is laid out again many times
// under the endless repeats, which go on exactly where they were.
TEST_F(ActionBlockTest, EndlessRepeatsRunOnExactlyWhileTheBlockIsLaidOutAgain) {
  std::vector<Pair> pairs(4);
  for (size_t i = 0; i < pairs.size(); ++i) {
    pairs[i].start(manager(), outAndBack(0.3f + 0.2f * i), outAndBack(0.3f + 0.2f * i));
  }
  std::vector<RefPtr<Node>> passing;
  for (int i = 0; i < 40; ++i) passing.emplace_back(Node::create());
  for (int round = 0; round < 300; ++round) {
    for (RefPtr<Node>& node : passing) {
      manager()->addAction(moveThenTurn(), node.get());
      if (round % 3 == 0) manager()->removeAllActionsFromTarget(node.get());
    }
    frame(pairs, round % 7 == 0 ? 0.4f : 1.0f / 60);
  }
  for (const Pair& pair : pairs) EXPECT_NE(pair.node->getRotation(), 0.0f);
}

TEST_F(ActionBlockTest, APausedTargetHoldsItsProgramWhereItWasUntilResumed) {
  std::vector<Pair> pairs(2);
  pairs[0].start(manager(), outAndBack(0.8f), outAndBack(0.8f));
  pairs[1].start(manager(), moveThenTurn(), moveThenTurn());
  for (int i = 0; i < 5; ++i) frame(pairs, 0.1f);
  manager()->pauseTarget(pairs[0].node.get());
  const Vec2 where = pairs[0].node->getPosition();
  for (int i = 0; i < 5; ++i) {
    manager()->update(0.1f);  // the paused twin is not stepped either
    pairs[1].stepTwin(0.1f);
    pairs[1].expectSame();
  }
  EXPECT_EQ(pairs[0].node->getPosition(), where);
  manager()->resumeTarget(pairs[0].node.get());
  for (int i = 0; i < 20; ++i) {
    manager()->update(0.1f);
    pairs[0].stepTwin(0.1f);
    pairs[0].expectSame();
  }
  EXPECT_NE(pairs[0].node->getPosition(), where);
}

}  // namespace

TEST_F(ActionBlockTest, SpawnsNestedDeeperThanAWalkKeepsAsideUpdateInTheObjectsOrder) {
  std::vector<FlatWord> words;
  ASSERT_TRUE(compileAction(nestedSpawns(12), words));  // the block runs it, not the objects
  std::vector<Pair> pairs(1);
  pairs[0].start(manager(), RepeatForever::create(nestedSpawns(12)),
                 RepeatForever::create(nestedSpawns(12)));
  for (int round = 0; round < 200; ++round) frame(pairs, round % 9 == 0 ? 0.25f : 1.0f / 30);
  EXPECT_NE(pairs[0].node->getPosition(), Vec2(0, 0));
  EXPECT_NE(pairs[0].node->getRotation(), 0.0f);
}
