#pragma once
// The desktop input handler of one controls object: listens to the engine's mouse, keyboard and
// gamepad events and turns them into calls of the controls. It tracks the held mouse buttons,
// recognises drags and gates the wheel. It starts switched off; the view stack switches it on
// while its view is current.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"
#include "platform/abstract_controls_handler.h"

namespace engine {
class Event;
class EventDispatcher;
class EventListenerKeyboard;
class EventListenerMouse;
class EventMouse;
enum class KeyCode : int32_t;
}  // namespace engine

namespace kel {

class AbstractControls;
class EventGamepad;
class EventListenerGamepad;

// Text fields (priority 1) see keys before the controls.
constexpr int32_t CONTROLS_LISTENER_PRIORITY = 2;
// A held button becomes a drag once the pointer is further than this from where it went down.
constexpr float DRAG_THRESHOLD_POINTS = 9.0f;

class DesktopControls : public AbstractControlsHandler {
 public:
  static constexpr uint8_t NO_DRAG_BUTTON = 255;

  // Registers the listeners, switched off, with the dispatcher (retained until destruction).
  DesktopControls(AbstractControls& controls, engine::EventDispatcher* dispatcher);
  ~DesktopControls() override;
  DesktopControls(const DesktopControls&) = delete;
  DesktopControls& operator=(const DesktopControls&) = delete;

  void disable() override;
  void enable() override;
  // The desktop has no options.
  void setOption(int option) override;
  void setWheelEnabled(bool enabled) override { wheelEnabled_ = enabled; }

  bool isEnabled() const;
  bool isWheelEnabled() const { return wheelEnabled_; }
  bool isDragging() const { return dragging_; }
  // NO_DRAG_BUTTON while no drag runs.
  uint8_t getDragButton() const { return dragButton_; }
  bool isHeld(int button) const;

 private:
  void onMouseDown(engine::EventMouse* event);
  void onMouseUp(engine::EventMouse* event);
  void onMouseMove(engine::EventMouse* event);
  void onMouseScroll(engine::EventMouse* event);
  void onKey(engine::KeyCode keyCode, bool released, engine::Event* event);
  void onGamepad(EventGamepad* event);

  void setListenersEnabled(bool enabled);
  void resetDrag();
  bool anyHeld() const;
  // The first held button in the order left, right, middle; NO_DRAG_BUTTON when none.
  uint8_t firstHeld() const;

  engine::EventDispatcher* dispatcher_;
  engine::EventListenerMouse* mouseListener_ = nullptr;
  engine::EventListenerKeyboard* keyboardListener_ = nullptr;
  EventListenerGamepad* gamepadListener_ = nullptr;
  AbstractControls& controls_;
  uint8_t dragButton_ = NO_DRAG_BUTTON;
  bool dragging_ = false;
  engine::Vec2 pressPosition_;
  bool wheelEnabled_ = true;
  std::array<bool, 3> held_{};
};

}  // namespace kel
