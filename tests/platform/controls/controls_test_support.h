#pragma once
// Controls that write down every input call, and a dispatcher fed as the window would feed it.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/ref.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_keyboard.h"
#include "engine/input/event_mouse.h"
#include "engine/scene/director.h"
#include "platform/controls/abstract_controls.h"

namespace controlstest {

using Lines = std::vector<std::string>;

template <class... Args>
std::string line(const char* format, Args... args) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

class RecordingControls : public kel::AbstractControls {
 public:
  void activate() override {}
  void deactivate() override {}
  void setOption(int) override {}
  void setWheelEnabled(bool) override {}
  void keyEvent(engine::KeyCode key, bool up) override {
    calls.push_back(line("key %d %s", static_cast<int>(key), up ? "up" : "down"));
  }
  void mouseMoved(const engine::Vec2& p) override { calls.push_back(line("move %g,%g", p.x, p.y)); }
  void mouseWheel(const engine::Vec2& p, float amount) override {
    calls.push_back(line("wheel %g,%g %g", p.x, p.y, amount));
  }
  void mouseButton(const engine::Vec2& p, int button, bool up) override {
    calls.push_back(line("button %d %s %g,%g", button, up ? "up" : "down", p.x, p.y));
  }
  void mouseDrag(const engine::Vec2& p, int button, kel::DragPhase phase) override {
    static const char* const names[] = {"begin", "move", "end"};
    calls.push_back(line("drag %d %s %g,%g", button, names[static_cast<int>(phase)], p.x, p.y));
  }
  Lines take() { return std::exchange(calls, {}); }

  Lines calls;
};

class DispatcherFixture {
 public:
  DispatcherFixture() : dispatcher(new engine::EventDispatcher()) { dispatcher->setEnabled(true); }
  ~DispatcherFixture() {
    dispatcher->release();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    engine::PoolManager::getCurrentPool()->clear();
  }
  DispatcherFixture(const DispatcherFixture&) = delete;
  DispatcherFixture& operator=(const DispatcherFixture&) = delete;

  using Type = engine::EventMouse::MouseEventType;

  bool key(engine::KeyCode code, bool pressed = true) {
    engine::EventKeyboard event(code, pressed);
    return dispatch(event);
  }
  bool mouse(Type type, int button, float x, float y, float scrollY = 0.0f) {
    engine::EventMouse event(type);
    event.setMouseButton(button);
    event.setCursorPosition(x, y);
    event.setScrollData(0.0f, scrollY);
    return dispatch(event);
  }
  bool down(int b, float x, float y) { return mouse(Type::MOUSE_DOWN, b, x, y); }
  bool up(int b, float x, float y) { return mouse(Type::MOUSE_UP, b, x, y); }
  bool moveTo(float x, float y) { return mouse(Type::MOUSE_MOVE, -1, x, y); }
  bool wheel(float x, float y, float amount) { return mouse(Type::MOUSE_SCROLL, -1, x, y, amount); }
  bool dispatch(engine::Event& event) {
    dispatcher->dispatchEvent(&event);
    return event.isStopped();
  }

  engine::EventDispatcher* dispatcher;
};

}  // namespace controlstest
