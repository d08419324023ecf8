#pragma once
// The inventory view. Its windows come with the inventories; what it has now is the drop marker
// (shown where a dragged item would land) and the refresh that rebuilds the view for its mode.

#include "ui/views/game_view.h"

namespace engine {
class Node;
}

class InventoryView final : public GameView {
 public:
  InventoryView();
  ~InventoryView() override;

  // Rebuilds the view for its mode and hides the drop marker, so nothing is left half-dragged
  // (the application calls it when it goes to the background).
  void refresh();
  void showDropMarker(const engine::Vec2& position);
  bool isDropMarkerShown() const;

 private:
  engine::Node* dropMarker_ = nullptr;  // a child of the root
};
