#pragma once
// A mouse button, movement or wheel event. Positions are in points with y growing upwards.

#include <cstdint>

#include "engine/input/event.h"

namespace engine {

class EventMouse : public Event {
 public:
  enum class MouseEventType : int32_t {
    MOUSE_DOWN = 1,
    MOUSE_UP = 2,
    MOUSE_MOVE = 3,
    MOUSE_SCROLL = 4,
  };

  // Button numbers: 0 left, 1 right, 2 middle, higher as the window system numbers them.
  static constexpr int32_t BUTTON_UNSET = -1;
  static constexpr int32_t BUTTON_LEFT = 0;
  static constexpr int32_t BUTTON_RIGHT = 1;
  static constexpr int32_t BUTTON_MIDDLE = 2;

  explicit EventMouse(MouseEventType mouseEventType)
      : Event(EventType::MOUSE), mouseEventType_(mouseEventType) {}

  MouseEventType getMouseEventType() const { return mouseEventType_; }
  int32_t getMouseButton() const { return button_; }
  void setMouseButton(int32_t button) { button_ = button; }
  float getCursorX() const { return cursorX_; }
  float getCursorY() const { return cursorY_; }
  void setCursorPosition(float x, float y) {
    cursorX_ = x;
    cursorY_ = y;
  }
  // Zero except for wheel events.
  float getScrollX() const { return scrollX_; }
  float getScrollY() const { return scrollY_; }
  void setScrollData(float x, float y) {
    scrollX_ = x;
    scrollY_ = y;
  }

 private:
  MouseEventType mouseEventType_;
  int32_t button_ = BUTTON_UNSET;
  float cursorX_ = 0.0f;
  float cursorY_ = 0.0f;
  float scrollX_ = 0.0f;
  float scrollY_ = 0.0f;
};

}  // namespace engine
