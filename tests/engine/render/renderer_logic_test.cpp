// Renderer and configuration behaviour that needs no GL context.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/render/configuration.h"
#include "engine/render/custom_command.h"
#include "engine/render/render_environment.h"
#include "engine/render/renderer.h"

namespace engine {
namespace {

class RendererLogic : public ::testing::Test {
 protected:
  void SetUp() override {
    setRenderEnvironment(nullptr);
    getFixedRenderEnvironment()->setWinSize(Size(100, 100));
  }
  void TearDown() override {
    setRenderEnvironment(nullptr);
    Configuration::destroyInstance();
  }
};

TEST_F(RendererLogic, WithoutGLViewTheQueueIsEmptiedAndNothingRuns) {
  Renderer renderer;
  int calls = 0;
  CustomCommand command;
  command.func = [&calls] { ++calls; };
  renderer.addCommand(&command);
  renderer.addCommand(nullptr);
  EXPECT_EQ(renderer.getQueuedCommandCount(), 1u);
  renderer.render();
  EXPECT_EQ(renderer.getQueuedCommandCount(), 0u);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(renderer.getDrawCallCount(), 0u);
}

TEST_F(RendererLogic, TheLastQuadOfAFullBufferHasItsIndices) {
  Renderer renderer;
  renderer.setupIndices();
  const int64_t last = (Renderer::VBO_SIZE - 1) * 6;
  EXPECT_EQ(renderer.getIndices()[last + 3], (Renderer::VBO_SIZE - 1) * 4 + 3);
}

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

TEST_F(RendererLogic, VisibilityOfNodesAroundTheWindowEdge) {
  Renderer renderer;
  EXPECT_TRUE(renderer.checkVisibility(translation(10, 10), Size(20, 20)));
  EXPECT_FALSE(renderer.checkVisibility(translation(150, 10), Size(20, 20)));
  // A 20x2 bar rotated by 90 degrees about its origin at x = 109: unrotated it would lie beyond
  // the right edge; rotated, its extent reaches back into the window.
  EXPECT_FALSE(renderer.checkVisibility(translation(101, 50), Size(20, 2)));
  EXPECT_TRUE(renderer.checkVisibility(rotationZ(static_cast<float>(M_PI) / 2, 101.5f, 50),
                                       Size(20, 2)));
}

TEST_F(RendererLogic, ConfigurationReadsTheExtensionList) {
  Configuration* config = Configuration::getInstance();
  EXPECT_FALSE(config->supportsShareableVAO());  // before any context
  config->applyExtensions("GL_EXT_foo GL_ARB_vertex_array_object GL_EXT_bar");
  EXPECT_TRUE(config->supportsShareableVAO());
  config->applyExtensions("GL_EXT_discard_framebuffer GL_IMG_texture_format_BGRA8888");
  EXPECT_FALSE(config->supportsShareableVAO());
  EXPECT_TRUE(config->supportsDiscardFramebuffer());
  EXPECT_TRUE(config->supportsBGRA8888());
  config->applyExtensions(nullptr);
  EXPECT_FALSE(config->supportsBGRA8888());
}

}  // namespace
}  // namespace engine
