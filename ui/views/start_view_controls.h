#pragma once
// The start view's controls: Escape quits the game.

#include "platform/controls/real_controls.h"

class StartView;

class StartViewControls final : public kel::RealControls<StartView> {
 public:
  explicit StartViewControls(StartView* view) : RealControls(view) {}

  void keyEvent(engine::KeyCode keyCode, bool released) override;
};
