#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdint>
#include <thread>
#include <vector>

#include "engine/scene/action_manager.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/move_by.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

uintptr_t address(const void* object) { return reinterpret_cast<uintptr_t>(object); }

// The general heap gives every node, of any class, its model-view on a cache line of its own.
static_assert(alignof(Node) == 64);

// A node class of its own size.
template <size_t Extra>
class Padded : public Node {
 public:
  static Padded* create() {
    auto* node = new Padded();
    node->autorelease();
    return node;
  }
  unsigned char padding[Extra] = {};
};

class NodeMemoryTest : public scenetest::SceneTest {};

// Under the address sanitizer, a use of the freed node by the scheduler is caught here.
TEST_F(NodeMemoryTest, ANodeFreedFromItsOwnTimerLeavesTheOtherTimersRunning) {
  InnerNode* parent = InnerNode::create();
  parent->retain();
  Node* doomed = Node::create();
  Node* kept = Node::create();
  parent->addChild(doomed);
  parent->addChild(kept);
  int keptRuns = 0;
  // Removing the child from its parent drops the last reference, inside the node's own callback.
  director()->getScheduler()->schedule([parent, doomed](float) { parent->removeChild(doomed); },
                                       doomed, 0.0f, REPEAT_FOREVER, 0.0f, 1);
  director()->getScheduler()->schedule([&keptRuns](float) { ++keptRuns; }, kept, 0.0f,
                                       REPEAT_FOREVER, 0.0f, 1);
  PoolManager::getCurrentPool()->clear();
  tick(0.1f);
  tick(0.1f);
  EXPECT_EQ(parent->getChildrenCount(), 1u);
  EXPECT_EQ(director()->getScheduler()->getTimerCount(doomed), 0u);
  const int runsBefore = keptRuns;
  tick(0.1f);
  EXPECT_EQ(keptRuns, runsBefore + 1);  // the other node's timer goes on
  parent->release();
}

TEST_F(NodeMemoryTest, NodesOfManySizesKeepTheirOwnFieldsAndPlaces) {
  InnerNode* parent = InnerNode::create();
  parent->retain();
  for (int round = 0; round < 50; ++round) {
    Node* nodes[] = {Node::create(), InnerNode::create(), Padded<8>::create(),
                     Padded<200>::create(), Padded<4096>::create()};
    for (size_t k = 0; k < std::size(nodes); ++k) {
      EXPECT_EQ(address(nodes[k]) % alignof(Node), 0u) << "a node's model-view starts a line of its own";
      nodes[k]->setTag(round * 10 + static_cast<int>(k));
      parent->addChild(nodes[k]);
    }
    if (round % 3 == 2) parent->removeChildByTag((round - 1) * 10 + 3);  // frees as it goes
  }
  PoolManager::getCurrentPool()->clear();
  for (Node* child : parent->getChildren()) {
    EXPECT_EQ(child->getParent(), parent);
    EXPECT_EQ(child->getReferenceCount(), 1u);
  }
  EXPECT_EQ(parent->getChildrenCount(), 250u - 16u);
  parent->removeAllChildrenWithCleanup();
  parent->release();
}

#if defined(__SANITIZE_ADDRESS__)
// A node of the test's own, made with `new` and never released.
class Forgotten : public Node {};

[[gnu::noipa]] void forgetANode() {
  Node* node = new Forgotten();
  node->init();
}

// A node made as the game makes them (autoreleased), retained once too often, and released by the
// pool's clear after the frame: only the pool ever pointed at it.
[[gnu::noipa]] void forgetAnAutoreleasedNode() {
  PoolManager::getCurrentPool()->clear();
  Padded<8>::create()->retain();
  PoolManager::getCurrentPool()->clear();
}

// A node retained once too often, added to a parent as its last child and removed: the parent,
// which lives on, held it last.
InnerNode* keptParent = nullptr;
[[gnu::noipa]] void forgetARemovedChild() {
  keptParent = InnerNode::create();
  keptParent->retain();
  keptParent->addChild(Node::create());
  Node* child = Padded<8>::create();
  child->retain();
  keptParent->addChild(child);
  PoolManager::getCurrentPool()->clear();
  keptParent->removeChild(child);
}

// Exits 5 when the process leaked before the node was forgotten, 7 when the leak checker reports
// the forgotten node, 0 when it does not.
[[noreturn]] void forgetANodeAndCheckForLeaks(void (*forget)()) {
  if (__lsan_do_recoverable_leak_check() != 0) _exit(5);
  // On a thread of its own, joined before the check: what its frames left on its stack is gone
  // with it, so only live memory can keep the node.
  std::thread(forget).join();
  _exit(__lsan_do_recoverable_leak_check() != 0 ? 7 : 0);
}

using NodeMemoryDeathTest = NodeMemoryTest;

TEST_F(NodeMemoryDeathTest, ALeakedNodeIsReportedByTheLeakChecker) {
  EXPECT_EXIT(forgetANodeAndCheckForLeaks(forgetANode), ::testing::ExitedWithCode(7), "Direct leak");
}

TEST_F(NodeMemoryDeathTest, ALeakedNodeTheAutoreleasePoolOnceHeldIsReportedByTheLeakChecker) {
  EXPECT_EXIT(forgetANodeAndCheckForLeaks(forgetAnAutoreleasedNode), ::testing::ExitedWithCode(7), "Direct leak");
}

TEST_F(NodeMemoryDeathTest, ALeakedNodeRemovedFromItsParentIsReportedByTheLeakChecker) {
  EXPECT_EXIT(forgetANodeAndCheckForLeaks(forgetARemovedChild), ::testing::ExitedWithCode(7), "Direct leak");
}
#endif

}  // namespace
