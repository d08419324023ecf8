#include "engine/input/event_listener_mouse.h"

#include "engine/input/event_mouse.h"

namespace engine {

EventListenerMouse* EventListenerMouse::create() {
  auto* listener = new EventListenerMouse();
  listener->autorelease();
  return listener;
}

void EventListenerMouse::onEvent(Event* event) {
  if (event == nullptr || event->getType() != EventType::MOUSE) return;
  auto* mouseEvent = static_cast<EventMouse*>(event);
  const std::function<void(EventMouse*)>* callback = nullptr;
  switch (mouseEvent->getMouseEventType()) {
    case EventMouse::MouseEventType::MOUSE_DOWN:
      callback = &onMouseDown;
      break;
    case EventMouse::MouseEventType::MOUSE_UP:
      callback = &onMouseUp;
      break;
    case EventMouse::MouseEventType::MOUSE_MOVE:
      callback = &onMouseMove;
      break;
    case EventMouse::MouseEventType::MOUSE_SCROLL:
      callback = &onMouseScroll;
      break;
  }
  if (callback != nullptr && *callback) (*callback)(mouseEvent);
}

}  // namespace engine
