#pragma once
// Receives key presses and releases.

#include <functional>

#include "engine/input/event_listener.h"
#include "engine/input/key_code.h"

namespace engine {

class EventListenerKeyboard : public EventListener {
 public:
  // A new listener, autoreleased: its owner retains it.
  static EventListenerKeyboard* create();

  std::function<void(KeyCode, Event*)> onKeyPressed;
  std::function<void(KeyCode, Event*)> onKeyReleased;

  void onEvent(Event* event) override;
  bool checkAvailable() const override;

 protected:
  EventListenerKeyboard() : EventListener(EventType::KEYBOARD) {}
};

}  // namespace engine
