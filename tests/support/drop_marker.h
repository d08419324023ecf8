#pragma once
// Whether the inventory view shows its drop marker now: the node tagged for it among the view's
// own nodes is visible.

#include "engine/scene/inner_node.h"
#include "ui/views/inventory_view.h"

namespace testsupport {

inline bool dropMarkerShown(const InventoryView& view) {
  const engine::Node* marker = view.root() != nullptr ? view.root()->getChildByTag(InventoryView::kDropMarkerTag) : nullptr;
  return marker != nullptr && marker->isVisible();
}

}  // namespace testsupport
