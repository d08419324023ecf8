#pragma once
// A key went down or came up. Key repeats never become events, so every press has one release.

#include "engine/input/event.h"
#include "engine/input/key_code.h"

namespace engine {

class EventKeyboard : public Event {
 public:
  EventKeyboard(KeyCode keyCode, bool pressed)
      : Event(EventType::KEYBOARD), keyCode_(keyCode), pressed_(pressed) {}

  KeyCode getKeyCode() const { return keyCode_; }
  bool isPressed() const { return pressed_; }

 private:
  KeyCode keyCode_;
  bool pressed_;
};

}  // namespace engine
