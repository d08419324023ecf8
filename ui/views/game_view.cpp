#include "ui/views/game_view.h"

#include "engine/scene/inner_node.h"
#include "view/main_layer.h"
#include "platform/controls/real_controls.h"

GameView::GameView(ViewId id, bool plainControls) : id_(id), root_(engine::InnerNode::create()) {
  if (plainControls) controls_ = std::make_unique<kel::RealControls<GameView>>(this);
}

GameView::~GameView() {
  // The handler listens for the controls: it goes before the view it reports to.
  controls_.reset();
  if (engine::Node* parent = root_->getParent()) parent->removeChild(root_);
}

void GameView::setControls(std::unique_ptr<kel::AbstractControls> controls) {
  controls_ = std::move(controls);
}

void GameView::setCovered(bool covered) { root_->setVisible(!covered || drawnWhileCovered()); }

void GameView::enter() {
  root_->setVisible(true);
  if (layer_ != nullptr && root_->getParent() == nullptr) layer_->addChild(root_, kViewZOrder);
}

void GameView::exit() {
  // The parent, not the layer: the layer may have been replaced since the view entered.
  if (engine::Node* parent = root_->getParent()) parent->removeChild(root_);
}
