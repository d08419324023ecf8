#pragma once
// Receives typed characters, one 16-bit unit each.

#include <functional>

#include "engine/input/event_listener.h"

namespace engine {

class EventListenerKeyboardChar : public EventListener {
 public:
  // A new listener, autoreleased: its owner retains it.
  static EventListenerKeyboardChar* create();

  // Text fields store each typed character as one 16-bit unit, so that is what they get: never a
  // narrower type that would cut off everything beyond Latin-1.
  std::function<void(char16_t, Event*)> onChar;

  void onEvent(Event* event) override;
  bool checkAvailable() const override;

 protected:
  EventListenerKeyboardChar() : EventListener(EventType::KEYBOARD_CHAR) {}
};

}  // namespace engine
