// The window behind the platform's video modes, under the private X server: the first mode opens
// the window, every later one resizes that same window (its context and textures survive) and the
// layout follows at once, before any event is polled.
#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "engine/window/gl_view.h"
#include "engine/window/gl_view_delegate.h"
#include "platform/launch/gl_view_window_control.h"
#include "tests/support/gl_driver_pin.h"

namespace {

// Stands in for the director: remembers the view handed to it and what it was told.
class RecordingDirector final : public engine::GLViewDelegate {
 public:
  void setOpenGLView(engine::GLView* view) override {
    held = view;
    ++handedOver;
  }
  engine::GLView* getOpenGLView() override { return held; }
  void setRunningSceneVisible(bool visible) override { sceneVisible = visible; }

  engine::GLView* held = nullptr;
  int handedOver = 0;
  bool sceneVisible = false;
};

class GLViewWindowControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    testsupport::keepGLDriverLoaded();
  }

  engine::Size frameSize() const { return control.view()->getFrameSize(); }

  RecordingDirector director;
  engine::Seam<engine::GLViewDelegate, engine::GLViewDelegate>::Scoped useDirector{engine::glViewDelegateSeam(),
                                                                                  director};
  kel::GLViewWindowControl control;
};

TEST_F(GLViewWindowControlTest, AModeBeforeTheViewExistsOpensNothing) {
  control.applyMode(320, 240, false);
  EXPECT_FALSE(control.hasView());
  EXPECT_EQ(control.view(), nullptr);
}

TEST_F(GLViewWindowControlTest, TheViewIsMadeOnceWithItsTitle) {
  control.createView("Rubblemoor");
  ASSERT_TRUE(control.hasView());
  engine::GLView* first = control.view();
  control.createView("Another title");
  EXPECT_EQ(control.view(), first) << "a second call keeps the view it has";
  EXPECT_FALSE(first->isOpenGLReady()) << "no window before the first mode";
}

TEST_F(GLViewWindowControlTest, TheFirstModeOpensTheWindowAtItsSize) {
  control.createView("Rubblemoor");
  control.applyMode(320, 240, false);
  ASSERT_TRUE(control.view()->isOpenGLReady());
  EXPECT_EQ(frameSize(), engine::Size(320, 240));
  EXPECT_FALSE(control.view()->isFullScreen());
}

TEST_F(GLViewWindowControlTest, ALaterModeResizesTheSameWindowAndKeepsItsTextures) {
  control.createView("Rubblemoor");
  control.applyMode(320, 240, false);
  GLFWwindow* window = control.view()->getWindow();
  ASSERT_NE(window, nullptr);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const GLubyte texel[4] = {10, 20, 30, 255};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  const int handedBefore = director.handedOver;

  control.applyMode(400, 300, false);

  EXPECT_EQ(control.view()->getWindow(), window) << "no second window";
  EXPECT_EQ(frameSize(), engine::Size(400, 300)) << "laid out without waiting for an event";
  EXPECT_GT(director.handedOver, handedBefore) << "the director hears of the new size at once";
  EXPECT_EQ(director.held, control.view());
  EXPECT_TRUE(director.sceneVisible);
  EXPECT_EQ(glIsTexture(texture), GL_TRUE) << "the context and its textures survive the resize";
  glDeleteTextures(1, &texture);
}

TEST_F(GLViewWindowControlTest, FullScreenTakesTheMonitorAndAWindowedModeGivesItBack) {
  control.createView("Rubblemoor");
  control.applyMode(320, 240, false);
  GLFWwindow* window = control.view()->getWindow();
  const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
  ASSERT_NE(mode, nullptr);

  control.applyMode(320, 240, true);
  EXPECT_TRUE(control.view()->isFullScreen());
  EXPECT_EQ(control.view()->getWindow(), window);
  EXPECT_EQ(frameSize(), engine::Size(static_cast<float>(mode->width), static_cast<float>(mode->height)));

  control.applyMode(320, 240, false);
  EXPECT_FALSE(control.view()->isFullScreen());
  EXPECT_EQ(glfwGetWindowMonitor(window), nullptr);
  EXPECT_EQ(frameSize(), engine::Size(320, 240));
}

}  // namespace
