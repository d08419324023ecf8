// The real window under the private X server: it opens with an OpenGL 2.1 context, installs its
// input callbacks, and the input that reaches them arrives as engine events.
#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/engine/input/input_test_support.h"
#include "tests/support/gl_driver_pin.h"
#include "x_button_sender.h"

namespace {

using engine::EventMouse;
using engine::GLView;

class GLViewWindowTest : public inputtest::DispatcherTest {
 protected:
  void SetUp() override {
    DispatcherTest::SetUp();
    engine::setGLViewDelegate(&director_);
    view_ = new GLView();  // the director's reference, in place of the platform's
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    view_->setViewName("Rubblemoor test");
    ASSERT_TRUE(view_->createWithSize(320, 240, false));
    // The view's end unloads the driver; its leftovers must still carry its name at exit.
    testsupport::keepGLDriverLoaded();
    window_ = view_->getWindow();
  }
  void TearDown() override {
    if (view_ != nullptr) view_->end();  // drops the last reference: the view goes
    DispatcherTest::TearDown();
    engine::setGLViewDelegate(nullptr);
  }

  // The callback the view installed on its window, read back from the window system.
  template <typename Callback>
  static Callback installed(GLFWwindow* window, Callback (*swap)(GLFWwindow*, Callback)) {
    const Callback callback = swap(window, nullptr);
    swap(window, callback);
    return callback;
  }

  // Polls until the window system has delivered `count` mouse events, or gives up.
  void pollForMouseEvents(const inputtest::MouseLog& mouse, size_t count) {
    for (int i = 0; i < 200 && mouse.size() < count; ++i) {
      GLView::pollEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  inputtest::RecordingDelegate director_{dispatcher_};
  GLView* view_ = nullptr;
  GLFWwindow* window_ = nullptr;
};

TEST_F(GLViewWindowTest, OpensAnOpenGL21WindowAndHandsItToTheDirector) {
  EXPECT_TRUE(view_->isOpenGLReady());
  EXPECT_EQ(director_.getOpenGLView(), view_);
  EXPECT_EQ(view_->getDesignResolutionSize(), engine::Size(320, 240));

  const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  EXPECT_EQ(version.rfind("2.1", 0), 0u) << version;
  EXPECT_NE(glGenFramebuffers, nullptr);  // the entry points are loaded

  // Reopening replaces the window, with input installed again.
  ASSERT_TRUE(view_->createWithSize(200, 100, false));
  EXPECT_EQ(view_->getFrameSize(), engine::Size(200, 100));
  EXPECT_EQ(installed(view_->getWindow(), &glfwSetKeyCallback), &GLView::onGLFWKey);
}

TEST_F(GLViewWindowTest, InputArrivesThroughTheInstalledCallbacks) {
  // What each callback makes of its input is covered without a window; here they must be the
  // ones installed, and a key through the real window must reach the dispatcher.
  EXPECT_EQ(installed(window_, &glfwSetCharCallback), &GLView::onGLFWChar);
  EXPECT_EQ(installed(window_, &glfwSetScrollCallback), &GLView::onGLFWScroll);
  EXPECT_EQ(installed(window_, &glfwSetMouseButtonCallback), &GLView::onGLFWMouseButton);
  inputtest::KeyLog keys(dispatcher_);
  const GLFWkeyfun key = installed(window_, &glfwSetKeyCallback);
  ASSERT_EQ(key, &GLView::onGLFWKey);
  key(window_, GLFW_KEY_W, 25, GLFW_PRESS, 0);
  key(window_, GLFW_KEY_W, 25, GLFW_REPEAT, 0);
  key(window_, GLFW_KEY_W, 25, GLFW_RELEASE, 0);
  EXPECT_EQ(keys, (inputtest::KeyLog::vector{{143, true}, {143, false}}));
}

TEST_F(GLViewWindowTest, MovingWithButtonsHeldReportsTheFirstOfLeftRightMiddle) {
  inputtest::MouseLog mouse(dispatcher_);
  ASSERT_TRUE(windowtest::sendMouseButton(window_, 0, true));
  ASSERT_TRUE(windowtest::sendMouseButton(window_, 1, true));
  pollForMouseEvents(mouse, 2);
  ASSERT_EQ(mouse.size(), 2u) << "the X server did not deliver the button presses";
  EXPECT_EQ(mouse[0].type, EventMouse::MouseEventType::MOUSE_DOWN);
  EXPECT_EQ(mouse[0].button, 0);
  EXPECT_EQ(mouse[1].button, 1);

  const GLFWcursorposfun move = installed(window_, &glfwSetCursorPosCallback);
  ASSERT_EQ(move, &GLView::onGLFWCursorPos);
  move(window_, 10.0, 10.0);
  EXPECT_EQ(mouse.back().type, EventMouse::MouseEventType::MOUSE_MOVE);
  EXPECT_EQ(mouse.back().button, 0);

  ASSERT_TRUE(windowtest::sendMouseButton(window_, 0, false));
  pollForMouseEvents(mouse, 4);
  move(window_, 12.0, 10.0);
  EXPECT_EQ(mouse.back().button, 1);

  ASSERT_TRUE(windowtest::sendMouseButton(window_, 1, false));
  pollForMouseEvents(mouse, 6);
  move(window_, 14.0, 10.0);
  EXPECT_EQ(mouse.back().button, EventMouse::BUTTON_UNSET);
}

TEST_F(GLViewWindowTest, ViewportAndScissorInPointsFollowTheScaleAndMinimisingHidesTheScene) {
  const GLFWframebuffersizefun resize = installed(window_, &glfwSetFramebufferSizeCallback);
  ASSERT_EQ(resize, &GLView::onGLFWFramebufferSize);
  resize(window_, 0, 0);
  resize(window_, 320, 240);
  EXPECT_EQ(director_.visibility, (std::vector<bool>{false, true}));
  EXPECT_EQ(view_->getFrameSize(), engine::Size(320, 240));  // read back from the window

  view_->setDesignResolutionSize(160, 120, engine::ResolutionPolicy::SHOW_ALL);  // scale 2
  view_->GLViewProtocol::setViewPortInPoints(10, 20, 30, 40);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{20, 40, 60, 80}));
  view_->GLViewProtocol::setScissorInPoints(5, 5, 50, 25);
  EXPECT_EQ(view_->getScissorRect(), engine::Rect(5, 5, 50, 25));
  // The window itself always covers its whole framebuffer.
  view_->setViewPortInPoints(10, 20, 30, 40);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 320, 240}));
}

TEST_F(GLViewWindowTest, EndFlagsTheWindowToCloseAndForgetsIt) {
  view_->retain();  // outlive the end, to look at it afterwards
  view_->end();
  EXPECT_FALSE(view_->isOpenGLReady());
  EXPECT_TRUE(view_->windowShouldClose());
  EXPECT_EQ(glfwWindowShouldClose(window_), GLFW_TRUE);
  engine::safeRelease(view_);
}

}  // namespace
