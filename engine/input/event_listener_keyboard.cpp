#include "engine/input/event_listener_keyboard.h"

#include "engine/input/event_keyboard.h"

namespace engine {

EventListenerKeyboard* EventListenerKeyboard::create() {
  auto* listener = new EventListenerKeyboard();
  listener->autorelease();
  return listener;
}

void EventListenerKeyboard::onEvent(Event* event) {
  if (event == nullptr || event->getType() != EventType::KEYBOARD) return;
  auto* keyEvent = static_cast<EventKeyboard*>(event);
  const auto& callback = keyEvent->isPressed() ? onKeyPressed : onKeyReleased;
  if (callback) callback(keyEvent->getKeyCode(), event);
}

bool EventListenerKeyboard::checkAvailable() const {
  return static_cast<bool>(onKeyPressed) || static_cast<bool>(onKeyReleased);
}

}  // namespace engine
