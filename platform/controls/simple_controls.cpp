#include "platform/controls/simple_controls.h"

namespace kel {

// A click counts when the button comes up, as it does for every button on the desktop.
void SimpleControls::mouseButton(const engine::Vec2&, int button, bool released) {
  if (released && button == MOUSE_BUTTON_LEFT) onAction();
}

}  // namespace kel
