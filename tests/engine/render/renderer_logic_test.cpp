// The renderer's culling, which needs no GL context.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/render/configuration.h"
#include "engine/render/render_environment.h"
#include "engine/render/renderer.h"

namespace engine {
namespace {

class RendererLogic : public ::testing::Test {
 protected:
  void SetUp() override {
    environment_.setWinSize(Size(100, 100));
    setRenderEnvironment(&environment_);
  }
  void TearDown() override {
    setRenderEnvironment(nullptr);
    Configuration::destroyInstance();
  }

  FixedRenderEnvironment environment_;
};

Mat4 translation(float x, float y) {
  Mat4 m;
  m.m[12] = x;
  m.m[13] = y;
  return m;
}

Mat4 rotationZ(float radians, float x, float y) {
  Mat4 m = translation(x, y);
  m.m[0] = std::cos(radians);
  m.m[1] = std::sin(radians);
  m.m[4] = -std::sin(radians);
  m.m[5] = std::cos(radians);
  return m;
}

TEST_F(RendererLogic, ARotatedNodeIsCulledByItsRotatedExtent) {
  Renderer renderer;
  // A 20x2 bar rotated by 90 degrees about its origin at x = 109: unrotated it would lie beyond
  // the right edge; rotated, its extent reaches back into the window.
  EXPECT_FALSE(renderer.checkVisibility(translation(101, 50), Size(20, 2)));
  EXPECT_TRUE(renderer.checkVisibility(rotationZ(static_cast<float>(M_PI) / 2, 101.5f, 50),
                                       Size(20, 2)));
}

}  // namespace
}  // namespace engine
