#pragma once
// The main view's desktop controls: keys through the player's key bindings, the pointer aims,
// the left button mines or swings, the right button uses or places, the wheel walks the quick
// slots.

#include "platform/controls/real_controls.h"

class MainView;

class MainControlsDesktop final : public kel::RealControls<MainView> {
 public:
  explicit MainControlsDesktop(MainView* view) : RealControls(view) {}

  void keyEvent(engine::KeyCode key, bool released) override;
  void mouseMoved(const engine::Vec2& point) override;
  void mouseWheel(const engine::Vec2& point, float amount) override;
  void mouseButton(const engine::Vec2& point, int button, bool released) override;
  // A drag is the pointer moving with the button held: the held action follows it.
  void mouseDrag(const engine::Vec2& point, int button, kel::DragPhase phase) override;
};
