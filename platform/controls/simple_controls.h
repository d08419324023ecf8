#pragma once
// Controls of a view that does one thing whatever the player clicks (the splash, the death
// screen): the release of the left button performs it. Touch taps never arrive on the desktop.

#include "platform/controls/abstract_controls.h"

namespace kel {

class SimpleControls : public AbstractControls {
 public:
  void mouseButton(const engine::Vec2& point, int button, bool released) override;

 protected:
  // The view's single action.
  virtual void onAction() = 0;
};

}  // namespace kel
