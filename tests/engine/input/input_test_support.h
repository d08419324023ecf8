#pragma once
// Shared helpers of the input and window tests.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/base/ref.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_mouse.h"
#include "engine/input/event_mouse.h"
#include "engine/window/gl_view.h"
#include "engine/window/gl_view_delegate.h"

namespace inputtest {

// Holds one reference to a freshly created (autoreleased) listener, as an owner does.
template <typename Listener>
class Held {
 public:
  Held() : listener_(Listener::create()) { listener_->retain(); }
  ~Held() { listener_->release(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Listener* operator->() const { return listener_; }
  Listener* get() const { return listener_; }

 private:
  Listener* listener_;
};

class DispatcherTest : public testing::Test {
 protected:
  void SetUp() override { dispatcher_->setEnabled(true); }
  void TearDown() override {
    engine::safeRelease(dispatcher_);
    engine::PoolManager::getCurrentPool()->clear();
  }
  engine::EventDispatcher* dispatcher_ = new engine::EventDispatcher();
};

// Stands in for the director: hands out the dispatcher and records what the view tells it.
class RecordingDelegate : public engine::GLViewDelegate {
 public:
  explicit RecordingDelegate(engine::EventDispatcher* dispatcher) : dispatcher_(dispatcher) {}
  void setOpenGLView(engine::GLView* view) override {
    view_ = view;
    winSize_ = view->getDesignResolutionSize();
  }
  engine::GLView* getOpenGLView() override { return view_; }
  engine::Size getWinSize() override { return winSize_; }
  void designResolutionChanged(const engine::Size& designSize) override {
    winSize_ = designSize;
    designSizes.push_back(designSize);
  }
  engine::EventDispatcher* getEventDispatcher() override { return dispatcher_; }
  void setRunningSceneVisible(bool visible) override { visibility.push_back(visible); }

  std::vector<engine::Size> designSizes;
  std::vector<bool> visibility;

 private:
  engine::EventDispatcher* dispatcher_;
  engine::GLView* view_ = nullptr;
  engine::Size winSize_;
};

struct MouseRecord {
  engine::EventMouse::MouseEventType type;
  int button;
  float x, y, scrollX, scrollY;
  bool operator==(const MouseRecord&) const = default;
};

class MouseLog : public std::vector<MouseRecord> {
 public:
  explicit MouseLog(engine::EventDispatcher* dispatcher) {
    auto keep = [this](engine::EventMouse* e) {
      push_back({e->getMouseEventType(), e->getMouseButton(), e->getCursorX(), e->getCursorY(),
                 e->getScrollX(), e->getScrollY()});
    };
    listener_->onMouseDown = keep;
    listener_->onMouseUp = keep;
    listener_->onMouseMove = keep;
    listener_->onMouseScroll = keep;
    dispatcher->addEventListenerWithFixedPriority(listener_.get(), 2);
  }

 private:
  Held<engine::EventListenerMouse> listener_;
};

// Key presses (true) and releases (false) by engine code.
class KeyLog : public std::vector<std::pair<int, bool>> {
 public:
  explicit KeyLog(engine::EventDispatcher* dispatcher) {
    listener_->onKeyPressed = [this](engine::KeyCode c, engine::Event*) {
      push_back({static_cast<int>(c), true});
    };
    listener_->onKeyReleased = [this](engine::KeyCode c, engine::Event*) {
      push_back({static_cast<int>(c), false});
    };
    dispatcher->addEventListenerWithFixedPriority(listener_.get(), 2);
  }

 private:
  Held<engine::EventListenerKeyboard> listener_;
};

}  // namespace inputtest
