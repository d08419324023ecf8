#pragma once
// Receives mouse buttons, movement and the wheel.

#include <functional>

#include "engine/input/event_listener.h"

namespace engine {

class EventMouse;

class EventListenerMouse : public EventListener {
 public:
  // A new listener, autoreleased: its owner retains it.
  static EventListenerMouse* create();

  std::function<void(EventMouse*)> onMouseDown;
  std::function<void(EventMouse*)> onMouseUp;
  std::function<void(EventMouse*)> onMouseMove;
  std::function<void(EventMouse*)> onMouseScroll;

  void onEvent(Event* event) override;
  // Mouse listeners register even before their callbacks are bound.
  bool checkAvailable() const override { return true; }

 protected:
  EventListenerMouse() : EventListener(EventType::MOUSE) {}
};

}  // namespace engine
