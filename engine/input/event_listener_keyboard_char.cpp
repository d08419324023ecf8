#include "engine/input/event_listener_keyboard_char.h"

#include "engine/input/event_keyboard_char.h"

namespace engine {

EventListenerKeyboardChar* EventListenerKeyboardChar::create() {
  auto* listener = new EventListenerKeyboardChar();
  listener->autorelease();
  return listener;
}

void EventListenerKeyboardChar::onEvent(Event* event) {
  if (event == nullptr || event->getType() != EventType::KEYBOARD_CHAR || !onChar) return;
  const uint32_t codePoint = static_cast<EventKeyboardChar*>(event)->getCodePoint();
  // A character that does not fit one unit would arrive mangled; the window never sends one,
  // and no other source may either.
  if (!EventKeyboardChar::fitsOneUnit(codePoint)) return;
  onChar(static_cast<char16_t>(codePoint), event);
}

bool EventListenerKeyboardChar::checkAvailable() const { return static_cast<bool>(onChar); }

}  // namespace engine
