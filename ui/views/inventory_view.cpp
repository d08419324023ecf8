#include "ui/views/inventory_view.h"

#include "engine/scene/inner_node.h"
#include "engine/scene/node.h"

InventoryView::InventoryView() : GameView(ViewId::Inventory), dropMarker_(engine::Node::create()) {
  dropMarker_->setVisible(false);
  root()->addChild(dropMarker_);
}

InventoryView::~InventoryView() = default;

void InventoryView::refresh() { dropMarker_->setVisible(false); }

void InventoryView::showDropMarker(const engine::Vec2& position) {
  dropMarker_->setPosition(position);
  dropMarker_->setVisible(true);
}

bool InventoryView::isDropMarkerShown() const { return dropMarker_->isVisible(); }
