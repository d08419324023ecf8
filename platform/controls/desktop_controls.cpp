#include "platform/controls/desktop_controls.h"

#include <cmath>

#include "engine/input/event_dispatcher.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_mouse.h"
#include "engine/input/event_mouse.h"
#include "platform/controls/abstract_controls.h"
#include "platform/controls/event_gamepad.h"
#include "platform/controls/event_listener_gamepad.h"

namespace kel {

namespace {

// The window already reports the cursor in points with y growing upwards, the frame the views
// lay themselves out in, so the point is handed on as it stands.
engine::Vec2 controlsPoint(const engine::EventMouse* event) {
  return {event->getCursorX(), event->getCursorY()};
}

// Buttons beyond the middle one (side buttons) have no meaning for the views and no held flag.
bool isTrackedButton(int32_t button) { return button >= 0 && button < MOUSE_BUTTON_COUNT; }

template <class Listener>
Listener* registerSwitchedOff(Listener* listener, engine::EventDispatcher* dispatcher) {
  listener->retain();
  listener->setEnabled(false);
  dispatcher->addEventListenerWithFixedPriority(listener, CONTROLS_LISTENER_PRIORITY);
  return listener;
}

}  // namespace

DesktopControls::DesktopControls(AbstractControls& controls, engine::EventDispatcher* dispatcher)
    : dispatcher_(dispatcher), controls_(controls) {
  // Held so that controls which outlive the director's purge can still unregister safely.
  dispatcher_->retain();

  engine::EventListenerMouse* mouse = engine::EventListenerMouse::create();
  mouse->onMouseDown = [this](engine::EventMouse* event) { onMouseDown(event); };
  mouse->onMouseUp = [this](engine::EventMouse* event) { onMouseUp(event); };
  mouse->onMouseMove = [this](engine::EventMouse* event) { onMouseMove(event); };
  mouse->onMouseScroll = [this](engine::EventMouse* event) { onMouseScroll(event); };
  mouseListener_ = registerSwitchedOff(mouse, dispatcher_);

  engine::EventListenerKeyboard* keyboard = engine::EventListenerKeyboard::create();
  keyboard->onKeyPressed = [this](engine::KeyCode key, engine::Event* event) {
    onKey(key, false, event);
  };
  keyboard->onKeyReleased = [this](engine::KeyCode key, engine::Event* event) {
    onKey(key, true, event);
  };
  keyboardListener_ = registerSwitchedOff(keyboard, dispatcher_);

  EventListenerGamepad* gamepad = EventListenerGamepad::create();
  gamepad->onFirst = [this](EventGamepad* event) { onGamepad(event); };
  gamepad->onSecond = [this](EventGamepad* event) { onGamepad(event); };
  gamepadListener_ = registerSwitchedOff(gamepad, dispatcher_);

  resetDrag();
}

DesktopControls::~DesktopControls() {
  engine::EventListener* listeners[] = {mouseListener_, keyboardListener_, gamepadListener_};
  for (engine::EventListener* listener : listeners) {
    dispatcher_->removeEventListener(listener);
    listener->release();
  }
  dispatcher_->release();
}

void DesktopControls::disable() {
  setListenersEnabled(false);
  resetDrag();
}

void DesktopControls::enable() {
  resetDrag();
  setListenersEnabled(true);
  // A button that went down while another view was current must not end up as a release here.
  held_.fill(false);
}

void DesktopControls::setOption(int) {}

bool DesktopControls::isEnabled() const { return mouseListener_->isEnabled(); }

bool DesktopControls::isHeld(int button) const {
  return isTrackedButton(button) && held_[static_cast<size_t>(button)];
}

// Each handler settles its own state before it calls the controls, and calls them last: a view
// may react to a click by freeing its controls, and this handler with them.

void DesktopControls::onMouseDown(engine::EventMouse* event) {
  event->stopPropagation();
  const int32_t button = event->getMouseButton();
  if (!isTrackedButton(button)) return;
  const engine::Vec2 point = controlsPoint(event);
  // A drag is measured from where the first of the held buttons went down.
  if (!anyHeld()) pressPosition_ = point;
  held_[static_cast<size_t>(button)] = true;
  controls_.mouseButton(point, button, false);
}

void DesktopControls::onMouseUp(engine::EventMouse* event) {
  event->stopPropagation();
  const int32_t button = event->getMouseButton();
  if (!isTrackedButton(button)) return;
  const engine::Vec2 point = controlsPoint(event);
  const size_t index = static_cast<size_t>(button);
  const bool wasHeld = held_[index];
  held_[index] = false;
  if (dragging_ && button == dragButton_) {
    resetDrag();
    controls_.mouseDrag(point, button, DragPhase::End);
    return;
  }
  // A button that went down while these controls were off was never theirs to release.
  if (wasHeld) controls_.mouseButton(point, button, true);
}

void DesktopControls::onMouseMove(engine::EventMouse* event) {
  event->stopPropagation();
  const engine::Vec2 point = controlsPoint(event);
  if (dragging_) {
    // The drag keeps the button it began with, even when a lower-numbered one joins it.
    controls_.mouseDrag(point, dragButton_, DragPhase::Move);
    return;
  }
  const uint8_t button = firstHeld();
  if (button != NO_DRAG_BUTTON) {
    const engine::Vec2 offset = point - pressPosition_;
    if (std::hypot(offset.x, offset.y) > DRAG_THRESHOLD_POINTS) {
      dragging_ = true;
      dragButton_ = button;
      controls_.mouseDrag(point, button, DragPhase::Begin);
      return;
    }
  }
  controls_.mouseMoved(point);
}

void DesktopControls::onMouseScroll(engine::EventMouse* event) {
  // Stopped even when the wheel is off: nothing behind the current view may scroll either.
  event->stopPropagation();
  if (!wheelEnabled_) return;
  controls_.mouseWheel(controlsPoint(event), event->getScrollY());
}

void DesktopControls::onKey(engine::KeyCode keyCode, bool released, engine::Event* event) {
  event->stopPropagation();
  controls_.keyEvent(keyCode, released);
}

void DesktopControls::onGamepad(EventGamepad* event) {
  event->stopPropagation();
  controls_.gamepadEvent(event->getValue(), event->getKind(), event);
}

void DesktopControls::setListenersEnabled(bool enabled) {
  mouseListener_->setEnabled(enabled);
  keyboardListener_->setEnabled(enabled);
  gamepadListener_->setEnabled(enabled);
}

void DesktopControls::resetDrag() {
  dragButton_ = NO_DRAG_BUTTON;
  dragging_ = false;
}

bool DesktopControls::anyHeld() const { return held_[0] || held_[1] || held_[2]; }

uint8_t DesktopControls::firstHeld() const {
  for (uint8_t button = 0; button < MOUSE_BUTTON_COUNT; ++button) {
    if (held_[button]) return button;
  }
  return NO_DRAG_BUTTON;
}

}  // namespace kel
