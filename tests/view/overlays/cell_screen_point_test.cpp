// Where a sign's cell is on the screen: through the world layer's camera, on the camera's side of
// the world's wrap seam.

#include "view/overlays/sign_label_cell.h"

#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "engine/scene/inner_node.h"

namespace {

class CellPoint : public ::testing::Test {
 protected:
  void SetUp() override {
    root = engine::InnerNode::create();
    root->retain();
    root->setPosition(engine::Vec2(64, 64));  // the screen's centre
    world = engine::InnerNode::create();
    root->addChild(world, 2);
  }
  void TearDown() override {
    root->release();
    engine::PoolManager::getCurrentPool()->clear();
  }
  // The camera on a pixel of the world: the world layer at its negation.
  void cameraAt(float x, float y) { world->setPosition(engine::Vec2(-x, -y)); }

  engine::InnerNode* root = nullptr;
  engine::InnerNode* world = nullptr;
};

TEST_F(CellPoint, ACellIsWhereTheCameraSeesIt) {
  cameraAt(300, 150);
  EXPECT_EQ(cellScreenPoint(*world, 100, 10, 5), engine::Vec2(64, 64));
  EXPECT_EQ(cellScreenPoint(*world, 100, 11, 4), engine::Vec2(94, 34));
}

TEST_F(CellPoint, ACellAcrossTheSeamIsDrawnNextToTheCamera) {
  cameraAt(2990, 150);  // in the last column of a world 100 cells wide
  EXPECT_EQ(cellScreenPoint(*world, 100, 0, 5), engine::Vec2(64 + 10, 64));
  cameraAt(10, 150);
  EXPECT_EQ(cellScreenPoint(*world, 100, 99, 5), engine::Vec2(64 - 40, 64));
  EXPECT_EQ(cellScreenPoint(*world, 100, 50, 5), engine::Vec2(64 + 1490, 64));  // half a world: no shift
}

}  // namespace
