// A parent's visit composes every child's model-view to the bit, whichever way it reaches the
// child: a plain node, a node whose class draws, and one whose class visits in its own way.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/scene/inner_node.h"
#include "engine/scene/node.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

template <class T>
T* autoreleased(T* node) {
  node->autorelease();
  return node;
}

// Keeps what its draw was handed.
class DrawingNode : public Node {
 public:
  void draw(Renderer*, const Mat4& transform, uint32_t flags) override {
    ++draws;
    drawnTransform = transform;
    drawnFlags = flags;
  }
  int draws = 0;
  Mat4 drawnTransform;
  uint32_t drawnFlags = ~0u;
};

// Counts its visits and then visits as any node does.
class VisitingNode : public Node {
 public:
  void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override {
    ++visits;
    Node::visit(renderer, parentTransform, parentFlags);
  }
  using Node::visit;
  int visits = 0;
};

using Bits = std::array<uint32_t, 16>;

Bits bitsOf(const Mat4& matrix) {
  Bits bits;
  std::memcpy(bits.data(), matrix.m, sizeof(matrix.m));
  return bits;
}

// The node's model-view as the engine composes it, written out here with the same operations in
// the same order: the parent's times the node's own transform in the plane.
Mat4 composedModelView(const Mat4& parent, const Node& node) {
  const Vec2& anchor = node.getAnchorPointInPoints();
  float x = node.getPositionX();
  float y = node.getPositionY();
  if (node.isIgnoreAnchorPointForPosition()) {
    x += anchor.x;
    y += anchor.y;
  }
  const float radians = node.getRotation() * -0.017453292f;
  const float c = node.getRotation() != 0.0f ? std::cos(radians) : 1.0f;
  const float s = node.getRotation() != 0.0f ? std::sin(radians) : 0.0f;
  const float sx = node.getScaleX();
  const float sy = node.getScaleY();
  if (anchor.x != 0.0f || anchor.y != 0.0f) {
    x += anchor.y * sy * s - sx * anchor.x * c;
    y -= sx * anchor.x * s + anchor.y * sy * c;
  }
  const float a = sx * c, b = s * sx, cc = -s * sy, d = c * sy, z = node.getPositionZ();
  const float* p = parent.m;
  Mat4 out;
  for (int r = 0; r < 4; ++r) {
    out.m[r] = p[r] * a + p[4 + r] * b;
    out.m[4 + r] = p[r] * cc + p[4 + r] * d;
    out.m[8 + r] = p[8 + r];
    out.m[12 + r] = p[r] * x + p[4 + r] * y + p[8 + r] * z + p[12 + r];
  }
  return out;
}

// A projection: its bottom row is not the identity's, so the nodes under it are not planar.
Mat4 perspective() {
  Mat4 m;
  m.m[0] = 1.5f;
  m.m[5] = 0.75f;
  m.m[10] = -1.002f;
  m.m[11] = -1.0f;
  m.m[14] = -0.2002f;
  m.m[15] = 0.0f;
  m.m[3] = 0.001f;
  m.m[7] = -0.002f;
  return m;
}

class NodeVisitTest : public scenetest::SceneTest {
 protected:
  // A parent, moved, turned and scaled, with one child of each kind on each side of it in z, all
  // placed alike: each kind takes its own path through the parent's visit.
  void SetUp() override {
    SceneTest::SetUp();
    parent = InnerNode::create();
    parent->retain();
    parent->setPosition(30.5f, -12.25f);
    parent->setRotation(17.0f);
    parent->setScale(1.5f, 0.75f);
    for (int z : {-1, 2}) {
      addChild(Node::create(), z);
      drawing.push_back(autoreleased(new DrawingNode()));
      addChild(drawing.back(), z);
      visiting.push_back(autoreleased(new VisitingNode()));
      addChild(visiting.back(), z);
    }
  }
  void TearDown() override {
    parent->release();
    SceneTest::TearDown();
  }

  void addChild(Node* child, int z) {
    parent->addChild(child, z);
    children.push_back(child);
  }

  // Every child placed alike: a size, an anchor, a place, a turn and a scale.
  void placeChildren(float turn) {
    for (Node* child : children) {
      child->setContentSize(Size(16, 12));
      child->setAnchorPoint(Vec2(0.5f, 0.25f));
      child->setPosition(7.125f, 3.5f);
      child->setPositionZ(0.5f);
      child->setRotation(turn);
      child->setScale(1.25f, 0.8f);
    }
  }

  // Each child's model-view is, to the bit, the one composed from its fields under the parent's.
  void expectComposed() {
    const Bits expected = bitsOf(composedModelView(parent->getModelViewTransform(), *children[0]));
    for (Node* child : children) {
      EXPECT_EQ(bitsOf(child->getModelViewTransform()), expected);
    }
  }

  InnerNode* parent = nullptr;
  std::vector<Node*> children;
  std::vector<DrawingNode*> drawing;
  std::vector<VisitingNode*> visiting;
};

TEST_F(NodeVisitTest, ChildrenThatChangedAreComposedToTheBitUnderAPlanarParent) {
  for (float turn : {0.0f, 33.0f, -271.5f}) {
    placeChildren(turn);
    parent->visit(nullptr, Mat4::IDENTITY, 0);
    expectComposed();
  }
}

TEST_F(NodeVisitTest, ChildrenThatChangedAreComposedToTheBitUnderANonPlanarParent) {
  for (float turn : {0.0f, 33.0f, 90.0f}) {
    placeChildren(turn);
    parent->visit(nullptr, perspective(), FLAGS_TRANSFORM_DIRTY);
    expectComposed();
  }
  for (Node* child : children) child->ignoreAnchorPointForPosition(true);
  parent->visit(nullptr, perspective(), 0);
  expectComposed();
}

// A child whose own transform was built on demand, and did not change since, is composed from
// that built transform when only the parent moved.
TEST_F(NodeVisitTest, ChildrenWithABuiltTransformAreComposedToTheBitWhenTheParentMoves) {
  placeChildren(41.0f);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  for (Node* child : children) {
    (void)child->getNodeToParentTransform();
    EXPECT_FALSE(child->isTransformDirty());
  }
  parent->setPosition(-3.0f, 8.0f);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  expectComposed();
  parent->visit(nullptr, perspective(), FLAGS_TRANSFORM_DIRTY);
  expectComposed();
}

// Nothing changed, so nothing is composed: the model-views stay, even under another transform.
TEST_F(NodeVisitTest, UnchangedChildrenKeepTheirModelViews) {
  placeChildren(12.0f);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  std::vector<Bits> before;
  for (Node* child : children) before.push_back(bitsOf(child->getModelViewTransform()));
  parent->visit(nullptr, perspective(), 0);
  for (size_t i = 0; i < children.size(); ++i) {
    EXPECT_EQ(bitsOf(children[i]->getModelViewTransform()), before[i]) << i;
  }
}

// A class's own draw and visit are still called, with the flags and the model-view as before.
TEST_F(NodeVisitTest, ChildrenWithTheirOwnDrawOrVisitHaveThemCalled) {
  placeChildren(5.0f);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  for (DrawingNode* node : drawing) {
    EXPECT_EQ(node->draws, 1);
    EXPECT_EQ(node->drawnFlags, FLAGS_TRANSFORM_DIRTY | FLAGS_CONTENT_SIZE_DIRTY);
    EXPECT_EQ(bitsOf(node->drawnTransform), bitsOf(node->getModelViewTransform()));
  }
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  for (DrawingNode* node : drawing) {
    EXPECT_EQ(node->draws, 2);
    EXPECT_EQ(node->drawnFlags, 0u);
  }
  for (VisitingNode* node : visiting) EXPECT_EQ(node->visits, 2);
}

// A hidden child is passed over, its change kept for when it shows again.
TEST_F(NodeVisitTest, AHiddenChildIsComposedOnlyOnceShown) {
  placeChildren(0.0f);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  const Bits shown = bitsOf(children[0]->getModelViewTransform());
  children[0]->setVisible(false);
  children[0]->setPosition(100.0f, 200.0f);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  EXPECT_EQ(bitsOf(children[0]->getModelViewTransform()), shown);
  children[0]->setVisible(true);
  parent->visit(nullptr, Mat4::IDENTITY, 0);
  EXPECT_EQ(bitsOf(children[0]->getModelViewTransform()),
            bitsOf(composedModelView(parent->getModelViewTransform(), *children[0])));
}

}  // namespace
