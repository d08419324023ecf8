#pragma once
// Receives gamepad events: kind 0 calls the first callback, kind 1 the second.

#include <functional>

#include "engine/input/event_listener.h"

namespace kel {

class EventGamepad;

class EventListenerGamepad : public engine::EventListener {
 public:
  // A new listener, autoreleased: its owner retains it.
  static EventListenerGamepad* create();

  std::function<void(EventGamepad*)> onFirst;
  std::function<void(EventGamepad*)> onSecond;

  void onEvent(engine::Event* event) override;
  // Registers before its callbacks are bound, like the mouse listener.
  bool checkAvailable() const override { return true; }

 protected:
  EventListenerGamepad();
};

}  // namespace kel
