#pragma once
// The input interface of a view. Views never read input themselves: the handler that a view's
// controls object owns (the desktop one listens to the mouse and the keyboard) calls these
// operations, and each view's controls override the ones it needs. The touch operations exist
// for the interface's sake; nothing on the desktop calls them.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/input/key_code.h"

namespace engine {
class Event;
}

namespace kel {

// Mouse button numbers the controls are told about; other buttons never reach them.
constexpr int MOUSE_BUTTON_LEFT = 0;
constexpr int MOUSE_BUTTON_RIGHT = 1;
constexpr int MOUSE_BUTTON_MIDDLE = 2;
constexpr int MOUSE_BUTTON_COUNT = 3;

enum class DragPhase : uint8_t { Begin = 0, Move = 1, End = 2 };

class AbstractControls {
 public:
  AbstractControls() = default;
  virtual ~AbstractControls();
  AbstractControls(const AbstractControls&) = delete;
  AbstractControls& operator=(const AbstractControls&) = delete;

  // The view became current, or stopped being current.
  virtual void activate() = 0;
  virtual void deactivate() = 0;
  virtual void setOption(int option) = 0;
  virtual void setWheelEnabled(bool enabled) = 0;

  virtual void tapAt(const engine::Vec2& point);
  virtual void gestureAt(const engine::Vec2& point);
  virtual void pressAt(const engine::Vec2& point);
  virtual void keyEvent(engine::KeyCode keyCode, bool released);
  // Points are in the window's points, y growing upwards.
  virtual void mouseMoved(const engine::Vec2& point);
  virtual void mouseWheel(const engine::Vec2& point, float amount);
  virtual void mouseButton(const engine::Vec2& point, int button, bool released);
  virtual void mouseDrag(const engine::Vec2& point, int button, DragPhase phase);
  // kind 0 or 1 picks which of the gamepad listener's two callbacks fired.
  virtual void gamepadEvent(float value, int kind, engine::Event* event);
};

}  // namespace kel
