#pragma once
// The input handler that a view's controls object owns: it listens to the engine's events and
// calls the controls object. The platform makes one per controls object (the desktop form comes
// with the desktop controls); the view stack switches it on and off.

namespace kel {

class AbstractControls;

class AbstractControlsHandler {
 public:
  virtual ~AbstractControlsHandler() = default;
  virtual void disable() = 0;
  virtual void enable() = 0;
  virtual void setOption(int option) = 0;
  virtual void setWheelEnabled(bool enabled) = 0;
};

}  // namespace kel
