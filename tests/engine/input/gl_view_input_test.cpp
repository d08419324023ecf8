#include <gtest/gtest.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <utility>
#include <vector>

#include "engine/app/application.h"
#include "engine/input/event_keyboard_char.h"
#include "engine/input/event_listener_keyboard_char.h"
#include "input_test_support.h"

namespace {

using engine::EventMouse;
using engine::GLView;
using engine::ResolutionPolicy;
using engine::Size;
using inputtest::MouseRecord;

class GLViewInputTest : public inputtest::DispatcherTest {
 protected:
  void SetUp() override {
    DispatcherTest::SetUp();
    view_ = new GLView();
  }
  void TearDown() override {
    engine::safeRelease(view_);
    DispatcherTest::TearDown();
  }
  // A frame of the given pixels showing a design resolution under a policy.
  void frame(float width, float height, float designWidth, float designHeight,
             ResolutionPolicy policy) {
    view_->setFrameSize(width, height);
    view_->setDesignResolutionSize(designWidth, designHeight, policy);
  }

  inputtest::RecordingDelegate delegate_{dispatcher_};
  engine::Seam<engine::GLViewDelegate, engine::GLViewDelegate>::Scoped useDelegate_{engine::glViewDelegateSeam(),
                                                                                   delegate_};
  GLView* view_ = nullptr;
  inputtest::MouseLog mouse_{dispatcher_};
};

TEST_F(GLViewInputTest, MovesButtonsAndWheelArriveInPointsWithYUpwards) {
  frame(960, 640, 480, 320, ResolutionPolicy::SHOW_ALL);  // scale 2
  GLView::onGLFWCursorPos(nullptr, 100.0, 40.0);
  GLView::onGLFWMouseButton(nullptr, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
  GLView::onGLFWMouseButton(nullptr, GLFW_MOUSE_BUTTON_RIGHT, GLFW_RELEASE, 0);
  GLView::onGLFWMouseButton(nullptr, GLFW_MOUSE_BUTTON_LEFT, GLFW_REPEAT, 0);  // no event
  GLView::onGLFWScroll(nullptr, 0.5, 1.0);  // wheel up one notch: -1
  using enum EventMouse::MouseEventType;
  const int unset = EventMouse::BUTTON_UNSET;  // nothing held while moving or scrolling
  EXPECT_EQ(mouse_, (std::vector<MouseRecord>{{MOUSE_MOVE, unset, 50, 300, 0, 0},
                                              {MOUSE_DOWN, 0, 50, 300, 0, 0},
                                              {MOUSE_UP, 1, 50, 300, 0, 0},
                                              {MOUSE_SCROLL, unset, 50, 300, 0.5f, -1}}));
}

TEST_F(GLViewInputTest, ViewportOffsetsAndCroppingMapCornersAndCentre) {
  // 1000x600 showing all of 480x320: scale 1.875, a 900x600 viewport 50 pixels from the left.
  frame(1000, 600, 480, 320, ResolutionPolicy::SHOW_ALL);
  GLView::onGLFWCursorPos(nullptr, 950.0, 0.0);
  // Cropped instead: the viewport overhangs top and bottom, the centre stays the centre.
  frame(1000, 600, 480, 320, ResolutionPolicy::NO_BORDER);
  GLView::onGLFWCursorPos(nullptr, 500.0, 300.0);
  ASSERT_EQ(mouse_.size(), 2u);
  const float expected[2][2] = {{480, 320}, {240, 160}};
  for (int i = 0; i < 2; ++i) {
    EXPECT_NEAR(mouse_[i].x, expected[i][0], 1e-3) << i;
    EXPECT_NEAR(mouse_[i].y, expected[i][1], 1e-3) << i;
  }
}

TEST_F(GLViewInputTest, KeysArriveOnceWithTheEngineCodeAndCharactersOnlyWhole) {
  inputtest::KeyLog keys(dispatcher_);
  GLView::onGLFWKey(nullptr, GLFW_KEY_RIGHT_SHIFT, 62, GLFW_PRESS, 0);
  GLView::onGLFWKey(nullptr, GLFW_KEY_RIGHT_SHIFT, 62, GLFW_REPEAT, 0);
  GLView::onGLFWKey(nullptr, GLFW_KEY_RIGHT_SHIFT, 62, GLFW_RELEASE, 0);
  GLView::onGLFWKey(nullptr, GLFW_KEY_KP_5, 84, GLFW_PRESS, 0);
  GLView::onGLFWKey(nullptr, GLFW_KEY_F13, 191, GLFW_PRESS, 0);
  EXPECT_EQ(keys, (inputtest::KeyLog::vector{{12, true}, {12, false}, {78, true}, {0, true}}));
  // Characters beyond one 16-bit unit and lone surrogates are dropped.
  inputtest::Held<engine::EventListenerKeyboardChar> chars;
  std::u16string typed;
  chars->onChar = [&](char16_t unit, engine::Event*) { typed.push_back(unit); };
  dispatcher_->addEventListenerWithFixedPriority(chars.get(), 1);
  for (unsigned int c : {0x61u, 0x1F600u, 0xD800u, 0x3042u}) GLView::onGLFWChar(nullptr, c);
  EXPECT_EQ(typed, u"a\u3042");
}

TEST_F(GLViewInputTest, WithoutACurrentViewCallbacksDoNothing) {
  engine::safeRelease(view_);
  ASSERT_EQ(GLView::current(), nullptr);
  GLView::onGLFWCursorPos(nullptr, 1.0, 2.0);
  GLView::onGLFWMouseButton(nullptr, 0, GLFW_PRESS, 0);
  GLView::onGLFWFramebufferSize(nullptr, 0, 0);
  EXPECT_TRUE(mouse_.empty());
  EXPECT_TRUE(delegate_.visibility.empty());
}

TEST_F(GLViewInputTest, PoliciesSetTheDesignSizeAndMinimisingKeepsTheSizes) {
  frame(1000, 600, 500, 400, ResolutionPolicy::FIXED_HEIGHT);
  EXPECT_EQ(view_->getDesignResolutionSize(), Size(667, 400));  // ceil(1000 / 1.5)
  EXPECT_EQ(delegate_.designSizes.back(), Size(667, 400));  // the director's window size
  // Minimising hides the scene and keeps the sizes input relies on.
  frame(800, 600, 400, 300, ResolutionPolicy::EXACT_FIT);
  GLView::onGLFWFramebufferSize(nullptr, 0, 0);
  GLView::onGLFWFramebufferSize(nullptr, 800, 600);
  EXPECT_EQ(delegate_.visibility, (std::vector<bool>{false, true}));
  EXPECT_EQ(view_->getFrameSize(), Size(800, 600));
  EXPECT_FLOAT_EQ(view_->getScaleX(), 2.0f);
}

// The application's side of a new window size: each size it hears of.
class SizeRecordingApp final : public engine::Application {
 public:
  bool applicationDidFinishLaunching(int, char**) override { return true; }
  void applicationWillTerminate() override {}
  void applicationDidEnterBackground() override {}
  void applicationWillEnterForeground() override {}
  void applicationScreenSizeChanged(int width, int height) override { sizes.emplace_back(width, height); }
  std::vector<std::pair<int, int>> sizes;
};

TEST_F(GLViewInputTest, ANewFramebufferSizeReachesTheApplicationAndAMinimisedOneDoesNot) {
  SizeRecordingApp application;
  GLView::onGLFWFramebufferSize(nullptr, 0, 0);  // minimised: nothing to lay out
  GLView::onGLFWFramebufferSize(nullptr, 1024, 768);
  EXPECT_EQ(application.sizes, (std::vector<std::pair<int, int>>{{1024, 768}}));
}

}  // namespace
