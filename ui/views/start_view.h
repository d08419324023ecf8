#pragma once
// The view the game opens on: one line naming the game, and controls that quit on Escape. The
// menus come later and take their place here.

#include <string>

#include "ui/views/game_view.h"

namespace engine {
class Node;
}

// The font of the start view's line, in the platform's font folder.
constexpr const char* START_VIEW_FONT = "small.fnt";

class StartView final : public GameView {
 public:
  StartView();

  // Builds the line on first entry, when the font can be read.
  void enter() override;
  // What the line says: the game's name and the build's version.
  static std::string lineText();
  // The label, or a plain bar where the font could not be read; null before the first entry.
  engine::Node* line() const { return line_; }

 private:
  engine::Node* makeLine() const;

  engine::Node* line_ = nullptr;  // a child of the root
};
