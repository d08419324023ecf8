#include <gtest/gtest.h>

#include "engine/base/ref_ptr.h"
#include "engine/scene/inner_node.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

class Mortal : public InnerNode {
 public:
  static Mortal* create(int* deaths) {
    auto* node = new Mortal(deaths);
    node->autorelease();
    return node;
  }
  ~Mortal() override { ++*deaths_; }

 private:
  explicit Mortal(int* deaths) : deaths_(deaths) {}
  int* deaths_;
};

using RefPtrNodeTest = scenetest::SceneTest;

}  // namespace

TEST_F(RefPtrNodeTest, ANodeHeldOnlyByARefPtrOutlivesTheFrameAndDiesOnceWithIt) {
  int deaths = 0;
  {
    RefPtr<Mortal> held(Mortal::create(&deaths));
    PoolManager::getCurrentPool()->clear();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(held->getReferenceCount(), 1u);
  }
  EXPECT_EQ(deaths, 1);
  PoolManager::getCurrentPool()->clear();
  EXPECT_EQ(deaths, 1);
}

TEST_F(RefPtrNodeTest, AChildTakenFromItsParentLivesWhileARefPtrHoldsIt) {
  int deaths = 0;
  RefPtr<InnerNode> parent(InnerNode::create());
  RefPtr<Mortal> child(Mortal::create(&deaths));
  parent->addChild(child);
  PoolManager::getCurrentPool()->clear();
  parent->removeChild(child);
  EXPECT_EQ(deaths, 0);
  parent->addChild(child);
  child = nullptr;
  EXPECT_EQ(deaths, 0);
  parent = nullptr;
  EXPECT_EQ(deaths, 1);
}
