#pragma once
// The loading screen's one answer that matters to a headless game: a start that failed goes back
// to the start view.

#include "game/session/game_screen.h"

namespace world_tool {

class ToolScreen final : public NullGameScreen {
 public:
  void showStartView(int shown) override {
    failed = true;
    dialog = shown;
  }
  bool failed = false;
  int dialog = 0;
};

}  // namespace world_tool
