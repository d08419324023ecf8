#pragma once
// The one main layer: the running scene for the whole run. The views draw on it, and it carries
// the actions that must outlive any one view, such as the check for the next music track.

#include "engine/scene/inner_node.h"

class MainLayer final : public engine::InnerNode {
 public:
  // A new autoreleased main layer after its init, which seeds the random generator with the time
  // and shows the start view. Never null.
  static MainLayer* create();
  // The main layer that exists, null when none does.
  static MainLayer* current();

  ~MainLayer() override;
  bool init() override;

 private:
  MainLayer() = default;
};
