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

#include "engine/input/event_dispatcher.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_mouse.h"
#include "engine/input/event_mouse.h"
#include "engine/window/gl_view.h"
#include "engine/window/gl_view_delegate.h"
#include "tests/support/gl_driver_pin.h"
#include "x_button_sender.h"

namespace {

using engine::EventMouse;
using engine::GLView;

// Holds the view as the director would and hands out its dispatcher.
class DirectorStandIn : public engine::GLViewDelegate {
 public:
  void setOpenGLView(GLView* view) override {
    engine::setRetained(view_, view);
    winSize_ = view->getDesignResolutionSize();
    dispatcher->setEnabled(true);
  }
  GLView* getOpenGLView() override { return view_; }
  engine::Size getWinSize() override { return winSize_; }
  void designResolutionChanged(const engine::Size& size) override { winSize_ = size; }
  engine::EventDispatcher* getEventDispatcher() override { return dispatcher; }
  void setRunningSceneVisible(bool visible) override { visibility.push_back(visible); }

  void purge() {
    if (view_ != nullptr) view_->end();  // drops the reference taken above
    view_ = nullptr;
    engine::safeRelease(dispatcher);
  }

  engine::EventDispatcher* dispatcher = new engine::EventDispatcher();
  std::vector<bool> visibility;

 private:
  GLView* view_ = nullptr;
  engine::Size winSize_;
};

class GLViewWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    engine::setGLViewDelegate(&director_);
    view_ = new GLView();
    view_->autorelease();  // as the platform makes it; the director's reference keeps it
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    view_->setViewName("Rubblemoor test");
    ASSERT_TRUE(view_->createWithSize(320, 240, false));
    // The view's end unloads the driver; its leftovers must still carry its name at exit.
    testsupport::keepGLDriverLoaded();
    window_ = view_->getWindow();
  }

  void TearDown() override {
    for (engine::EventListener* listener : listeners_) {
      if (director_.dispatcher != nullptr) director_.dispatcher->removeEventListener(listener);
      listener->release();
    }
    director_.purge();
    engine::PoolManager::getCurrentPool()->clear();  // the last reference: the view goes
    engine::setGLViewDelegate(nullptr);
  }

  // A listener held by the test, as its owner would hold it.
  template <typename Listener>
  Listener* hold() {
    auto* listener = Listener::create();
    listener->retain();
    listeners_.push_back(listener);
    return listener;
  }

  void record(engine::EventListenerMouse* mouse) {
    auto keep = [this](EventMouse* e) {
      mouse_.push_back({e->getMouseEventType(), e->getMouseButton(), e->getScrollY()});
    };
    mouse->onMouseDown = keep;
    mouse->onMouseUp = keep;
    mouse->onMouseMove = keep;
    mouse->onMouseScroll = keep;
    director_.dispatcher->addEventListenerWithFixedPriority(mouse, 2);
  }

  // The callback the view installed on its window, read back from the window system.
  template <typename Callback>
  static Callback installed(GLFWwindow* window, Callback (*swap)(GLFWwindow*, Callback)) {
    const Callback callback = swap(window, nullptr);
    swap(window, callback);
    return callback;
  }

  // Polls until the window system has delivered `count` mouse events, or gives up.
  void pollForMouseEvents(size_t count) {
    for (int i = 0; i < 200 && mouse_.size() < count; ++i) {
      GLView::pollEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  struct MouseRecord {
    EventMouse::MouseEventType type;
    int button;
    float scrollY;
  };

  DirectorStandIn director_;
  GLView* view_ = nullptr;
  GLFWwindow* window_ = nullptr;
  std::vector<engine::EventListener*> listeners_;
  std::vector<MouseRecord> mouse_;
};

TEST_F(GLViewWindowTest, OpensAnOpenGL21WindowAndHandsItToTheDirector) {
  EXPECT_TRUE(view_->isOpenGLReady());
  EXPECT_FALSE(view_->isFullScreen());
  EXPECT_EQ(director_.getOpenGLView(), view_);
  EXPECT_EQ(view_->getDesignResolutionSize(), engine::Size(320, 240));

  const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  EXPECT_EQ(version.rfind("2.1", 0), 0u) << version;
  EXPECT_NE(glGenFramebuffers, nullptr);  // the entry points are loaded

  // Reopening replaces the window, with input installed again.
  ASSERT_TRUE(view_->createWithSize(200, 100, false));
  EXPECT_EQ(view_->getFrameSize(), engine::Size(200, 100));
  EXPECT_EQ(installed(view_->getWindow(), &glfwSetKeyCallback), &GLView::onGLFWKey);
  window_ = view_->getWindow();
}

TEST_F(GLViewWindowTest, InputArrivesThroughTheInstalledCallbacks) {
  // What each callback makes of its input is covered without a window; here they must be the
  // ones installed, and a key through the real window must reach the dispatcher.
  EXPECT_EQ(installed(window_, &glfwSetCharCallback), &GLView::onGLFWChar);
  EXPECT_EQ(installed(window_, &glfwSetScrollCallback), &GLView::onGLFWScroll);
  EXPECT_EQ(installed(window_, &glfwSetMouseButtonCallback), &GLView::onGLFWMouseButton);
  auto* keys = hold<engine::EventListenerKeyboard>();
  std::vector<std::pair<int, bool>> seen;
  keys->onKeyPressed = [&](engine::KeyCode c, engine::Event*) { seen.push_back({int(c), true}); };
  keys->onKeyReleased = [&](engine::KeyCode c, engine::Event*) {
    seen.push_back({int(c), false});
  };
  director_.dispatcher->addEventListenerWithFixedPriority(keys, 2);
  const GLFWkeyfun key = installed(window_, &glfwSetKeyCallback);
  ASSERT_EQ(key, &GLView::onGLFWKey);
  key(window_, GLFW_KEY_W, 25, GLFW_PRESS, 0);
  key(window_, GLFW_KEY_W, 25, GLFW_REPEAT, 0);
  key(window_, GLFW_KEY_W, 25, GLFW_RELEASE, 0);
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{143, true}, {143, false}}));
}

TEST_F(GLViewWindowTest, MovingWithButtonsHeldReportsTheFirstOfLeftRightMiddle) {
  record(hold<engine::EventListenerMouse>());
  ASSERT_TRUE(windowtest::sendMouseButton(window_, 0, true));
  ASSERT_TRUE(windowtest::sendMouseButton(window_, 1, true));
  pollForMouseEvents(2);
  ASSERT_EQ(mouse_.size(), 2u) << "the X server did not deliver the button presses";
  EXPECT_EQ(mouse_[0].type, EventMouse::MouseEventType::MOUSE_DOWN);
  EXPECT_EQ(mouse_[0].button, 0);
  EXPECT_EQ(mouse_[1].button, 1);

  const GLFWcursorposfun move = installed(window_, &glfwSetCursorPosCallback);
  ASSERT_EQ(move, &GLView::onGLFWCursorPos);
  move(window_, 10.0, 10.0);
  EXPECT_EQ(mouse_.back().type, EventMouse::MouseEventType::MOUSE_MOVE);
  EXPECT_EQ(mouse_.back().button, 0);

  ASSERT_TRUE(windowtest::sendMouseButton(window_, 0, false));
  pollForMouseEvents(4);
  move(window_, 12.0, 10.0);
  EXPECT_EQ(mouse_.back().button, 1);

  ASSERT_TRUE(windowtest::sendMouseButton(window_, 1, false));
  pollForMouseEvents(6);
  move(window_, 14.0, 10.0);
  EXPECT_EQ(mouse_.back().button, EventMouse::BUTTON_UNSET);
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
  director_.purge();
  EXPECT_FALSE(view_->isOpenGLReady());
  EXPECT_TRUE(view_->windowShouldClose());
  EXPECT_EQ(glfwWindowShouldClose(window_), GLFW_TRUE);
  view_->release();
}

}  // namespace
