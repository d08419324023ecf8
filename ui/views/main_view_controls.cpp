#include "ui/views/main_view_controls.h"

#include "ui/views/main_view.h"

void MainControlsDesktop::keyEvent(engine::KeyCode key, bool released) { view_->keyEvent(key, released); }

void MainControlsDesktop::mouseMoved(const engine::Vec2& point) { view_->mouseMoved(point); }

void MainControlsDesktop::mouseWheel(const engine::Vec2&, float amount) { view_->mouseWheel(amount); }

void MainControlsDesktop::mouseButton(const engine::Vec2& point, int button, bool released) {
  view_->mouseButton(point, button, released);
}

void MainControlsDesktop::mouseDrag(const engine::Vec2& point, int button, kel::DragPhase phase) {
  view_->mouseMoved(point);
  if (phase == kel::DragPhase::End) view_->mouseButton(point, button, true);
}
