#include "platform/controls/event_listener_gamepad.h"

#include "platform/controls/event_gamepad.h"

namespace kel {

EventListenerGamepad::EventListenerGamepad() : engine::EventListener(EVENT_TYPE_GAMEPAD) {}

EventListenerGamepad* EventListenerGamepad::create() {
  auto* listener = new EventListenerGamepad();
  listener->autorelease();
  return listener;
}

void EventListenerGamepad::onEvent(engine::Event* event) {
  if (event == nullptr || event->getType() != EVENT_TYPE_GAMEPAD) return;
  auto* gamepadEvent = static_cast<EventGamepad*>(event);
  // A kind from a future source that is neither 0 nor 1 has no callback.
  const std::function<void(EventGamepad*)>* callback = nullptr;
  if (gamepadEvent->getKind() == 0) callback = &onFirst;
  if (gamepadEvent->getKind() == 1) callback = &onSecond;
  if (callback != nullptr && *callback) (*callback)(gamepadEvent);
}

}  // namespace kel
