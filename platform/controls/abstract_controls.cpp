#include "platform/controls/abstract_controls.h"

namespace kel {

// Views override only the input they react to; the rest is ignored.
AbstractControls::~AbstractControls() = default;
void AbstractControls::tapAt(const engine::Vec2&) {}
void AbstractControls::gestureAt(const engine::Vec2&) {}
void AbstractControls::pressAt(const engine::Vec2&) {}
void AbstractControls::keyEvent(engine::KeyCode, bool) {}
void AbstractControls::mouseMoved(const engine::Vec2&) {}
void AbstractControls::mouseWheel(const engine::Vec2&, float) {}
void AbstractControls::mouseButton(const engine::Vec2&, int, bool) {}
void AbstractControls::mouseDrag(const engine::Vec2&, int, DragPhase) {}
void AbstractControls::gamepadEvent(float, int, engine::Event*) {}

}  // namespace kel
