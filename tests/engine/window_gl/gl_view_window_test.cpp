// The real window under the private X server: it opens with an OpenGL 2.1 context, installs its
// input callbacks, and the input that reaches them arrives as engine events; a window fits the
// screen's work area, and the same window switches to full screen and back.
#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/input/input_test_support.h"
#include "tests/support/gl_driver_pin.h"

namespace {

using engine::GLView;

class GLViewWindowTest : public inputtest::DispatcherTest {
 protected:
  void SetUp() override {
    DispatcherTest::SetUp();
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
  }

  // The callback the view installed on its window, read back from the window system.
  template <typename Callback>
  static Callback installed(GLFWwindow* window, Callback (*swap)(GLFWwindow*, Callback)) {
    const Callback callback = swap(window, nullptr);
    swap(window, callback);
    return callback;
  }

  inputtest::RecordingDelegate director_{dispatcher_};
  engine::Seam<engine::GLViewDelegate, engine::GLViewDelegate>::Scoped useDirector_{engine::glViewDelegateSeam(),
                                                                                   director_};
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
}

TEST_F(GLViewWindowTest, InputArrivesThroughTheInstalledCallbacks) {
  // What each callback makes of its input is covered without a window; here they must be the
  // ones installed, and a key through the real window must reach the dispatcher.
  EXPECT_EQ(installed(window_, &glfwSetCharCallback), &GLView::onGLFWChar);
  inputtest::KeyLog keys(dispatcher_);
  const GLFWkeyfun key = installed(window_, &glfwSetKeyCallback);
  ASSERT_EQ(key, &GLView::onGLFWKey);
  key(window_, GLFW_KEY_W, 25, GLFW_PRESS, 0);
  EXPECT_EQ(keys, (inputtest::KeyLog::vector{{143, true}}));
}

TEST_F(GLViewWindowTest, ViewportInPointsFollowsTheScaleAndResizingReadsTheWindow) {
  const GLFWframebuffersizefun resize = installed(window_, &glfwSetFramebufferSizeCallback);
  ASSERT_EQ(resize, &GLView::onGLFWFramebufferSize);
  resize(window_, 0, 0);
  resize(window_, 320, 240);
  EXPECT_EQ(view_->getFrameSize(), engine::Size(320, 240));  // read back from the window

  view_->setDesignResolutionSize(160, 120, engine::ResolutionPolicy::SHOW_ALL);  // scale 2
  view_->GLViewProtocol::setViewPortInPoints(10, 20, 30, 40);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{20, 40, 60, 80}));
  // The window itself always covers its whole framebuffer.
  view_->setViewPortInPoints(10, 20, 30, 40);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 320, 240}));
}

// Where the window system has the window now, and the primary monitor's work area.
engine::ScreenRect placeOf(GLFWwindow* window) {
  engine::ScreenRect place;
  glfwGetWindowPos(window, &place.x, &place.y);
  glfwGetWindowSize(window, &place.width, &place.height);
  return place;
}

engine::ScreenRect workArea() {
  engine::ScreenRect area;
  glfwGetMonitorWorkarea(glfwGetPrimaryMonitor(), &area.x, &area.y, &area.width, &area.height);
  return area;
}

TEST_F(GLViewWindowTest, AWindowOpensFittedIntoTheWorkAreaAndCentredThere) {
  const engine::ScreenRect area = workArea();
  ASSERT_LT(area.width, 1920);
  ASSERT_LT(area.height, 1200);
  // The fixture's small window is centred.
  EXPECT_EQ(placeOf(window_), (engine::ScreenRect{area.x + (area.width - 320) / 2, area.y + (area.height - 240) / 2, 320, 240}));

  ASSERT_TRUE(view_->createWithSize(1920, 1200, false));
  window_ = view_->getWindow();
  EXPECT_EQ(placeOf(window_), area) << "no larger than the screen's work area";
  EXPECT_EQ(view_->getFrameSize(), engine::Size(static_cast<float>(area.width), static_cast<float>(area.height)));
}

TEST_F(GLViewWindowTest, TheWindowGoesFullScreenAndBackToAFittedWindow) {
  const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
  ASSERT_NE(mode, nullptr);
  ASSERT_TRUE(view_->showFullScreen());
  EXPECT_TRUE(view_->isFullScreen());
  EXPECT_EQ(glfwGetWindowMonitor(window_), glfwGetPrimaryMonitor());
  EXPECT_EQ(view_->getFrameSize(), engine::Size(static_cast<float>(mode->width), static_cast<float>(mode->height)));

  view_->showWindowed(1920, 1200);
  EXPECT_FALSE(view_->isFullScreen());
  EXPECT_EQ(glfwGetWindowMonitor(window_), nullptr);
  const engine::ScreenRect area = workArea();
  EXPECT_EQ(placeOf(window_), area);
  EXPECT_EQ(view_->getFrameSize(), engine::Size(static_cast<float>(area.width), static_cast<float>(area.height)));
}

}  // namespace
