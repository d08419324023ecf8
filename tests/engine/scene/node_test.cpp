#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/scene/action_manager.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/move_by.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// Appends its name to a log when it draws, and sums its updates.
class Probe : public InnerNode {
 public:
  static Probe* create(std::string* log, char name) {
    auto* probe = new Probe(log, name);
    probe->autorelease();
    return probe;
  }
  void draw(Renderer*, const Mat4&, uint32_t) override { *log_ += name_; }
  void update(float dt) override { updated += dt; }

  float updated = 0;

 private:
  Probe(std::string* log, char name) : log_(log), name_(name) {}
  std::string* log_;
  char name_;
};

// A leaf that counts its updates: leaves have no child list and no cleanup of their own.
class Leaf : public Node {
 public:
  static Leaf* create() {
    auto* leaf = new Leaf();
    leaf->autorelease();
    return leaf;
  }
  void update(float) override { ++updates; }
  int updates = 0;
};

class NodeTest : public scenetest::SceneTest {
 protected:
  Probe* probe(char name) { return Probe::create(&log, name); }
  // The names drawn by one visit from the root.
  std::string drawn(Node* root) {
    log.clear();
    root->visit(nullptr, Mat4::IDENTITY, 0);
    return log;
  }

  std::string log;
};

void expectNear(const Vec2& actual, float x, float y) {
  EXPECT_NEAR(actual.x, x, 1e-4) << "x";
  EXPECT_NEAR(actual.y, y, 1e-4) << "y";
}

TEST_F(NodeTest, AnchorRotationAndPositionPlaceTheNode) {
  Node* node = Node::create();
  node->setContentSize(Size(100, 50));
  node->setAnchorPoint(Vec2(0.5f, 0.5f));
  node->setPosition(200, 100);
  // Ignoring the anchor makes the position the lower-left corner again.
  node->ignoreAnchorPointForPosition(true);
  expectNear(node->getBoundingBox().origin, 200, 100);

  // A positive rotation turns clockwise about the anchor: the local right-hand middle lies 50
  // right of the anchor, and a clockwise quarter turn takes it 50 below.
  node->ignoreAnchorPointForPosition(false);
  node->setRotation(90);
  expectNear(node->convertToWorldSpace(Vec2(100, 25)), 200, 50);
}

TEST_F(NodeTest, WorldConversionWalksTheParentChain) {
  InnerNode* root = InnerNode::create();
  InnerNode* parent = InnerNode::create();
  Node* child = Node::create();
  root->setPosition(10, 0);
  parent->setPosition(100, 0);
  parent->setScale(2.0f);
  child->setPosition(10, 10);
  root->addChild(parent);
  parent->addChild(child);

  expectNear(child->convertToWorldSpace(Vec2(1, 1)), 132, 22);
  // The cached inverse follows a change made after the last read.
  (void)child->getParentToNodeTransform();
  child->setPosition(50, 0);
  EXPECT_FLOAT_EQ(child->getParentToNodeTransform().m[12], -50);
}

// The model-view a visit builds equals the parent's times the node's own transform, built from its
// fields after a change; turning away and back builds the turn afresh.
TEST_F(NodeTest, VisitComposesTheModelViewFromTheNodesOwnTransform) {
  InnerNode* parent = InnerNode::create();
  Node* child = Node::create();
  parent->setPosition(30, 40);
  parent->setScale(2.0f, 3.0f);
  parent->addChild(child);
  child->setContentSize(Size(10, 20));
  child->setAnchorPoint(Vec2(0.25f, 0.5f));
  child->setPosition(5, 7);
  child->setRotation(30);
  child->setRotation(0);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  child->setRotation(30);
  parent->visit(nullptr, Mat4::IDENTITY, 0);

  const Mat4 expected = parent->getNodeToParentTransform() * child->getNodeToParentTransform();
  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(child->getModelViewTransform().m[i], expected.m[i], 1e-5) << i;
  }
  Node* fresh = Node::create();
  fresh->setContentSize(Size(10, 20));
  fresh->setAnchorPoint(Vec2(0.25f, 0.5f));
  fresh->setPosition(5, 7);
  fresh->setRotation(30);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(child->getNodeToParentTransform().m[i], fresh->getNodeToParentTransform().m[i]) << i;
  }
}

// A frame's actions and visit touch a moving node's first line and its model-view only: the
// model-view starts the second line of the node.
TEST_F(NodeTest, TheModelViewHasALineOfItsOwn) {
  Node* node = Node::create();
  const auto* start = reinterpret_cast<const char*>(node);
  const auto* modelView = reinterpret_cast<const char*>(&node->getModelViewTransform());
  EXPECT_EQ(reinterpret_cast<uintptr_t>(start) % 64, 0u);
  EXPECT_EQ(modelView - start, 64);
}

TEST_F(NodeTest, VisitDrawsByLocalZThenArrivalAroundTheParent) {
  Probe* parent = probe('P');
  parent->addChild(probe('a'), 1);
  parent->addChild(probe('b'), -1);
  parent->addChild(probe('c'), 0);
  parent->addChild(probe('d'), 1);
  parent->addChild(probe('e'), -1);
  EXPECT_EQ(drawn(parent), "bePcad");

  // Reordering counts as a fresh arrival: 'a' now draws after 'd' at the same z.
  parent->reorderChild(parent->getChildren()[3], 1);  // 'a' after the sort
  EXPECT_EQ(drawn(parent), "bePcda");
}

TEST_F(NodeTest, OpacityCascadesOnlyWhereTheParentCascadesAndColourNever) {
  InnerNode* root = InnerNode::create();
  InnerNode* mid = InnerNode::create();
  Node* leaf = Node::create();
  root->addChild(mid);
  mid->addChild(leaf);
  leaf->setOpacity(128);
  mid->setOpacity(128);
  root->setOpacity(128);
  EXPECT_EQ(leaf->getDisplayedOpacity(), 128);

  root->setCascadeOpacityEnabled(true);
  EXPECT_EQ(mid->getDisplayedOpacity(), 64);   // 128 * 128 / 255 = 64.25
  EXPECT_EQ(leaf->getDisplayedOpacity(), 128);  // mid does not cascade
  mid->setCascadeOpacityEnabled(true);
  EXPECT_EQ(leaf->getDisplayedOpacity(), 32);  // 128 * 64 / 255 = 32.1

  // Colour never passes down: each node shows its own, whatever its parents show.
  root->setColor(Color3B{255, 128, 0});
  mid->setColor(Color3B{128, 255, 255});
  EXPECT_EQ(mid->getDisplayedColor(), (Color3B{128, 255, 255}));
  Node* late = Node::create();
  root->addChild(late);
  EXPECT_EQ(late->getDisplayedColor(), Color3B::WHITE);
}

TEST_F(NodeTest, EnteringAndLeavingPauseCallbacksAndActionsDownTheTree) {
  Probe* parent = probe('P');
  Probe* child = probe('c');
  parent->retain();  // each frame drains the autorelease pool
  parent->addChild(child);
  EXPECT_FALSE(child->isRunning());
  director()->getScheduler()->scheduleUpdate(child, false);
  director()->getActionManager()->addAction(MoveBy::create(1.0f, Vec2(10, 0)), child);

  parent->onEnter();
  EXPECT_TRUE(child->isRunning());
  Probe* late = probe('l');
  parent->addChild(late);
  EXPECT_TRUE(late->isRunning());

  parent->onExit();
  director()->mainLoop(0.5f);
  director()->mainLoop(0.5f);
  EXPECT_FLOAT_EQ(child->updated, 0.0f);
  EXPECT_FLOAT_EQ(child->getPositionX(), 0.0f);

  parent->onEnter();
  director()->mainLoop(0.5f);  // the move's first step: t = 0
  director()->mainLoop(0.5f);
  EXPECT_FLOAT_EQ(child->updated, 1.0f);
  EXPECT_FLOAT_EQ(child->getPositionX(), 5.0f);
  parent->release();
}

TEST_F(NodeTest, ANodeDestroyedWithoutCleanupLeavesNoCallbackBehind) {
  Leaf* orphan = Leaf::create();
  director()->getScheduler()->scheduleUpdate(orphan, false);
  director()->getScheduler()->schedule([](float) {}, orphan, 0, REPEAT_FOREVER, 0, 1);
  director()->getActionManager()->addAction(MoveBy::create(1.0f, Vec2(1, 1)), orphan);
  Node* const address = orphan;
  PoolManager::getCurrentPool()->clear();  // the last reference goes: no cleanup was run
  EXPECT_EQ(director()->getScheduler()->getTimerCount(address), 0u);
  EXPECT_EQ(director()->getActionManager()->getNumberOfRunningActionsInTarget(address), 0u);
  // Were the node still listed, these would call into freed memory.
  director()->mainLoop(0.1f);
  director()->mainLoop(0.1f);
}

}  // namespace
