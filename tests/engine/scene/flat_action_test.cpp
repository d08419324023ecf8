#include "engine/scene/flat_action.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/base/ref_ptr.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/flat_action_stepping.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tint_to.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// Every kind a tree compiles from: moves by and to, a turn padded with a delay, a scale, a fade
// out and back through its reverse, and a tint, in sequences and spawns under an endless repeat.
RepeatForever* everyKindTree() {
  auto* move = MoveBy::create(0.7f, Vec2(5, -3));
  auto* outAndBack = Sequence::createWithTwoActions(move, move->reverse());
  auto* turn = Sequence::createWithTwoActions(RotateBy::create(0.5f, 30), DelayTime::create(0.2f));
  auto* moving = Spawn::createWithTwoActions(outAndBack, turn);
  auto* fade = FadeOut::create(0.4f);
  auto* fading = Sequence::createWithTwoActions(fade, fade->reverse());
  auto* colouring = Spawn::createWithTwoActions(fading, TintTo::create(0.6f, 10, 200, 90));
  auto* scaling = Sequence::createWithTwoActions(ScaleTo::createXY(0.3f, 2.0f, 0.5f),
                                                 MoveTo::create(0.25f, Vec2(40, 12)));
  return RepeatForever::create(Sequence::createWithTwoActions(
      Sequence::createWithTwoActions(moving, colouring), scaling));
}

// Frames of every length the scene meets: short, long enough to skip a whole part, zero.
const float kFrames[] = {1.0f / 60, 0.25f, 0.001f, 0.9f, 1.0f / 30, 2.5f, 0.0f, 0.4f};

void expectSameState(const Node& a, const Node& b) {
  ASSERT_EQ(a.getPosition().x, b.getPosition().x);
  ASSERT_EQ(a.getPosition().y, b.getPosition().y);
  ASSERT_EQ(a.getRotation(), b.getRotation());
  ASSERT_EQ(a.getScaleX(), b.getScaleX());
  ASSERT_EQ(a.getScaleY(), b.getScaleY());
  ASSERT_EQ(a.getOpacity(), b.getOpacity());
  ASSERT_EQ(a.getColor(), b.getColor());
}

class FlatActionTest : public scenetest::SceneTest {
 protected:
  // A node whose actions are stepped by `manager`, with a twin driven by the objects alone.
  RefPtr<Node> node{Node::create()};
  RefPtr<Node> twin{Node::create()};

  // Runs `compiled` on the node and `objects` on the twin through the frames, `rounds` times over,
  // checking after every frame that both nodes agree and both trees are done or not alike.
  template <size_t N>
  void runTwins(Action* compiled, Action* objects, const float (&frames)[N], int rounds) {
    std::vector<FlatWord> program;
    ASSERT_TRUE(compileAction(compiled, program));
    startFlatAction(program.data(), node.get());
    objects->startWithTarget(twin.get());
    for (int round = 0; round < rounds; ++round) {
      for (float dt : frames) {
        const bool done = stepFlatAction(program.data(), node.get(), dt);
        objects->step(dt);
        expectSameState(*node, *twin);
        ASSERT_EQ(done, objects->isDone());
      }
    }
  }
};

TEST_F(FlatActionTest, ACompiledTreeMovesItsNodeExactlyAsTheObjectsDo) {
  RefPtr<Action> compiled(everyKindTree());
  RefPtr<Action> objects(everyKindTree());
  runTwins(compiled.get(), objects.get(), kFrames, 40);
  EXPECT_NE(node->getRotation(), 0.0f);
}

TEST_F(FlatActionTest, AFiniteTreeEndsOnTheSameFrameAsItsObjects) {
  auto build = [] {
    return Sequence::createWithTwoActions(
        Spawn::createWithTwoActions(MoveBy::create(0.5f, Vec2(3, 4)), RotateBy::create(0.2f, 45)),
        DelayTime::create(0.0f));
  };
  RefPtr<Action> compiled(build());
  RefPtr<Action> objects(build());
  std::vector<FlatWord> program;
  ASSERT_TRUE(compileAction(compiled.get(), program));
  startFlatAction(program.data(), node.get());
  objects->startWithTarget(twin.get());
  int frames = 0;
  bool done = false;
  while (!objects->isDone() && frames < 100) {
    done = stepFlatAction(program.data(), node.get(), 0.1f);
    objects->step(0.1f);
    ++frames;
    ASSERT_EQ(done, objects->isDone()) << "frame " << frames;
  }
  EXPECT_TRUE(done);
  expectSameState(*node, *twin);
  EXPECT_EQ(node->getPosition(), Vec2(3, 4));
}

// Nested sequences that stay in one part for many frames, zero-length parts done from their start
// (a sequence split at its very start or end), a spawn of a spawn, and a delay left running.
RepeatForever* deepSequenceTree() {
  auto* instantMove = MoveBy::create(0.0f, Vec2(2, 1));
  auto* slowTurn = RotateBy::create(1.3f, -70);
  auto* splitAtStart = Sequence::createWithTwoActions(instantMove, slowTurn);
  auto* splitAtEnd = Sequence::createWithTwoActions(MoveTo::create(0.9f, Vec2(-8, 5)),
                                                    ScaleTo::create(0.0f, 1.5f));
  auto* chain = Sequence::createWithTwoActions(
      Sequence::createWithTwoActions(splitAtStart, DelayTime::create(0.35f)), splitAtEnd);
  auto* inner = Spawn::createWithTwoActions(
      Spawn::createWithTwoActions(MoveBy::create(1.1f, Vec2(0, 6)), TintTo::create(2.0f, 0, 0, 0)),
      chain);
  return RepeatForever::create(inner);
}

TEST_F(FlatActionTest, NestedSequencesStayingInOnePartMoveTheNodeAsTheObjectsDo) {
  RefPtr<Action> compiled(deepSequenceTree());
  RefPtr<Action> objects(deepSequenceTree());
  const float frames[] = {1.0f / 60, 1.0f / 60, 1.0f / 120, 0.0f, 1.0f / 60, 0.7f, 1.0f / 30};
  runTwins(compiled.get(), objects.get(), frames, 60);
  EXPECT_NE(node->getRotation(), 0.0f);
  EXPECT_NE(node->getScaleX(), 1.0f);
}

// Spawns at the top of a tree whose parts are chains (sequences down to one leaf), as most trees
// of a large scene are, in the ways a frame can leave them: both parts staying where they were,
// only the first or only the second moving to another part, a bare leaf, a first part that is
// itself a spawn, an endless repeat as a part (which a spawn never steps), and two parts that
// both move the node, where their order shows. A spawn pads the shorter of its parts with a
// delay, so some parts are of equal length to keep them as they are. The last tree is a spawn at
// the root, which has a clock of its own, and ends.
std::vector<std::function<Action*()>> spawnsOfChains() {
  return {
      [] {
        auto* move = MoveBy::create(0.6f, Vec2(4, 2));
        return RepeatForever::create(Spawn::createWithTwoActions(
            Sequence::createWithTwoActions(move, move->reverse()),
            Sequence::createWithTwoActions(RotateBy::create(0.5f, 90), DelayTime::create(0.4f))));
      },
      [] {
        return RepeatForever::create(Spawn::createWithTwoActions(
            MoveBy::create(0.5f, Vec2(-3, 1)),
            Sequence::createWithTwoActions(RotateBy::create(0.2f, 15), DelayTime::create(0.3f))));
      },
      [] {
        return RepeatForever::create(Spawn::createWithTwoActions(
            Spawn::createWithTwoActions(MoveBy::create(0.4f, Vec2(1, 1)),
                                        RotateBy::create(0.4f, -40)),
            Sequence::createWithTwoActions(MoveBy::create(0.1f, Vec2(0, 2)),
                                           ScaleTo::create(0.3f, 0.5f))));
      },
      [] {
        auto* sway = Sequence::createWithTwoActions(MoveBy::create(0.3f, Vec2(2, 0)),
                                                    MoveBy::create(0.5f, Vec2(0, -3)));
        auto* drift = Sequence::createWithTwoActions(MoveBy::create(0.25f, Vec2(-1, 5)),
                                                     DelayTime::create(0.15f));
        return RepeatForever::create(Spawn::createWithTwoActions(sway, drift));
      },
      [] {
        return RepeatForever::create(Spawn::createWithTwoActions(
            Sequence::createWithTwoActions(MoveTo::create(0.3f, Vec2(9, 9)),
                                           ScaleTo::create(0.3f, 3.0f)),
            RepeatForever::create(RotateBy::create(0.6f, 10))));
      },
      [] {
        return Spawn::createWithTwoActions(
            Sequence::createWithTwoActions(MoveTo::create(0.6f, Vec2(-4, 7)),
                                           ScaleTo::create(0.2f, 0.25f)),
            Sequence::createWithTwoActions(RotateBy::create(0.4f, 200),
                                           TintTo::create(0.4f, 90, 10, 200)));
      },
  };
}

TEST_F(FlatActionTest, SpawnsOfChainsMoveTheNodeAsTheObjectsDo) {
  const float steady[] = {1.0f / 60, 1.0f / 60, 1.0f / 120, 1.0f / 60, 0.0f, 1.0f / 30};
  int tree = 0;
  for (const auto& build : spawnsOfChains()) {
    SCOPED_TRACE(tree++);
    for (int pass = 0; pass < 2; ++pass) {
      node = Node::create();
      twin = Node::create();
      RefPtr<Action> compiled(build());
      RefPtr<Action> objects(build());
      if (pass == 0) {
        runTwins(compiled.get(), objects.get(), steady, 40);
      } else {
        runTwins(compiled.get(), objects.get(), kFrames, 10);
      }
    }
  }
}

TEST_F(FlatActionTest, ATreeHoldingACustomActionIsNotCompiled) {
  RefPtr<Action> tree(Sequence::createWithTwoActions(MoveBy::create(1, Vec2(1, 0)),
                                                     CallFunc::create([] {})));
  std::vector<FlatWord> program(2);
  EXPECT_FALSE(compileAction(tree.get(), program));
  EXPECT_EQ(program.size(), 2u);  // left as it was
}

// Through the manager: a compiled tree, a custom action on the same target and a tree with a
// custom part in it, all stepped in one walk, against the same actions stepped by their objects.
TEST_F(FlatActionTest, CompiledAndCustomActionsOnOneTargetRunAsTheirObjectsWould) {
  ActionManager* manager = director()->getActionManager();
  int calls = 0;
  int twinCalls = 0;
  auto withCall = [](int* counter) {
    return RepeatForever::create(Sequence::createWithTwoActions(
        Sequence::createWithTwoActions(RotateBy::create(0.3f, 10),
                                       CallFunc::create([counter] { ++*counter; })),
        ScaleTo::create(0.2f, 1.5f)));
  };
  manager->addAction(everyKindTree(), node.get());
  manager->addAction(withCall(&calls), node.get());
  RefPtr<Action> objects(everyKindTree());
  RefPtr<Action> objectsWithCall(withCall(&twinCalls));
  objects->startWithTarget(twin.get());
  objectsWithCall->startWithTarget(twin.get());
  for (int round = 0; round < 20; ++round) {
    for (float dt : kFrames) {
      manager->update(dt);
      objects->step(dt);
      objectsWithCall->step(dt);
      expectSameState(*node, *twin);
    }
  }
  EXPECT_GT(calls, 0);
  EXPECT_EQ(calls, twinCalls);
}

// A node that calls back from inside its setter, as a compiled program's only calls out are.
class CallingNode : public Node {
 public:
  static CallingNode* create() {
    auto* node = new CallingNode();
    node->autorelease();
    return node;
  }
  void setPosition(const Vec2& position) override {
    Node::setPosition(position);
    if (onMove) onMove();
  }
  std::function<void()> onMove;
};

TEST_F(FlatActionTest, AProgramRemovedByItsOwnStepFinishesTheStepAndTheOthersGoOn) {
  ActionManager* manager = director()->getActionManager();
  RefPtr<CallingNode> mover(CallingNode::create());
  Action* first = MoveBy::create(1.0f, Vec2(10, 0));
  Action* second = RotateBy::create(1.0f, 90);
  manager->addAction(first, mover.get());
  manager->addAction(second, mover.get());
  int moves = 0;
  mover->onMove = [&] {
    if (++moves == 2) manager->removeAction(first);
  };
  manager->update(0.1f);  // the first frame applies t = 0 to both
  manager->update(0.5f);  // the move removes itself mid-step; the turn still runs this frame
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(mover.get()), 1u);
  EXPECT_FLOAT_EQ(mover->getRotation(), 45.0f);
  manager->update(0.5f);
  EXPECT_FLOAT_EQ(mover->getPosition().x, 5.0f);  // not moved again
  EXPECT_FLOAT_EQ(mover->getRotation(), 90.0f);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(mover.get()), 0u);
}

// Both parts of one spawn land in the frame whose first part's move removes the whole tree.
TEST_F(FlatActionTest, ATreeRemovedByItsFirstPartsMoveStillTurnsItsNodeInThatFrame) {
  ActionManager* manager = director()->getActionManager();
  RefPtr<CallingNode> mover(CallingNode::create());
  Action* tree = RepeatForever::create(
      Spawn::createWithTwoActions(MoveBy::create(1.0f, Vec2(10, 0)), RotateBy::create(1.0f, 90)));
  manager->addAction(tree, mover.get());
  int moves = 0;
  mover->onMove = [&] {
    if (++moves == 2) manager->removeAction(tree);
  };
  manager->update(0.1f);  // the first frame applies t = 0
  manager->update(0.5f);  // the move removes the tree mid-step; its turn still lands
  EXPECT_FLOAT_EQ(mover->getPosition().x, 5.0f);
  EXPECT_FLOAT_EQ(mover->getRotation(), 45.0f);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(mover.get()), 0u);
  manager->update(0.5f);
  EXPECT_FLOAT_EQ(mover->getPosition().x, 5.0f);  // not moved again
  EXPECT_FLOAT_EQ(mover->getRotation(), 45.0f);
}

TEST_F(FlatActionTest, AnActionAddedByARunningProgramRunsInTheSameWalk) {
  ActionManager* manager = director()->getActionManager();
  RefPtr<CallingNode> mover(CallingNode::create());
  manager->addAction(MoveBy::create(1.0f, Vec2(10, 0)), mover.get());
  bool added = false;
  mover->onMove = [&] {
    if (added) return;
    added = true;
    manager->addAction(Sequence::createWithTwoActions(DelayTime::create(0.5f),
                                                      RotateBy::create(0.5f, 30)),
                       mover.get());
  };
  manager->update(0.1f);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(mover.get()), 2u);
  manager->update(0.5f);
  manager->update(0.5f);
  EXPECT_FLOAT_EQ(mover->getPosition().x, 10.0f);
  EXPECT_FLOAT_EQ(mover->getRotation(), 30.0f);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(mover.get()), 0u);
}

TEST_F(FlatActionTest, ANodeDestroyedWhileItsActionsRunTakesThemWithIt) {
  ActionManager* manager = director()->getActionManager();
  RefPtr<Node> killer(Node::create());
  Node* doomed = Node::create();
  Node* self = Node::create();
  doomed->retain();
  self->retain();
  PoolManager::getCurrentPool()->clear();
  // The killer's custom action destroys the doomed node, whose compiled actions come later in
  // the walk; the self node's custom action destroys it after its compiled actions ran and
  // before the one after it.
  manager->addAction(CallFunc::create([&doomed] {
                       doomed->release();
                       doomed = nullptr;
                     }),
                     killer.get());
  manager->addAction(everyKindTree(), doomed);
  manager->addAction(MoveBy::create(1.0f, Vec2(1, 1)), doomed);
  manager->addAction(everyKindTree(), self);
  manager->addAction(Sequence::createWithTwoActions(DelayTime::create(0.05f),
                                                    CallFunc::create([&self] {
                                                      self->release();
                                                      self = nullptr;
                                                    })),
                     self);
  manager->addAction(RotateBy::create(1.0f, 1), self);
  manager->update(0.1f);
  manager->update(0.1f);
  EXPECT_EQ(doomed, nullptr);
  EXPECT_EQ(self, nullptr);
  EXPECT_EQ(manager->getNumberOfRunningActionsInTarget(killer.get()), 0u);
  // The walk after goes on without the gone nodes' elements.
  RefPtr<Node> later(Node::create());
  manager->addAction(MoveBy::create(0.1f, Vec2(2, 0)), later.get());
  manager->update(0.1f);
  manager->update(0.1f);
  EXPECT_FLOAT_EQ(later->getPosition().x, 2.0f);
}

}  // namespace
