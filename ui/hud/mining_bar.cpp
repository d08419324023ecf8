#include "ui/hud/mining_bar.h"

#include <algorithm>

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "ui/widgets/ui_draw.h"

namespace {

constexpr float kHeight = 5.0f;
constexpr float kBorder = 1.0f;
constexpr int kZ = 30;  // above the world, below the HUD's views

}  // namespace

MiningBar::MiningBar(engine::InnerNode* parent) {
  track_ = addColorLayer(parent, engine::Color4B{20, 16, 12, 200}, engine::Size(1, kHeight), engine::Vec2(), kZ);
  fill_ = addColorLayer(parent, engine::Color4B{240, 214, 120, 255}, engine::Size(1, kHeight - 2 * kBorder),
                        engine::Vec2(), kZ + 1);
  for (engine::LayerColor* layer : {track_.get(), fill_.get()}) {
    if (layer != nullptr) layer->setVisible(false);
  }
}

MiningBar::~MiningBar() {
  for (engine::LayerColor* layer : {track_.get(), fill_.get()}) {
    if (layer != nullptr && layer->getParent() != nullptr) layer->getParent()->removeChild(layer);
  }
}

void MiningBar::show(const engine::Vec2& cellCentre, float cellSide, float progress) {
  if (track_ == nullptr || fill_ == nullptr) return;
  const float width = std::max(cellSide, 12.0f);
  const engine::Vec2 corner(cellCentre.x - width / 2, cellCentre.y + cellSide / 2 + 2);
  track_->setContentSize(engine::Size(width, kHeight));
  track_->setPosition(corner);
  const float inner = width - 2 * kBorder;
  fill_->setContentSize(engine::Size(std::max(inner * std::clamp(progress, 0.0f, 1.0f), 0.0f), kHeight - 2 * kBorder));
  fill_->setPosition(corner + engine::Vec2(kBorder, kBorder));
  track_->setVisible(true);
  fill_->setVisible(true);
}

void MiningBar::hide() {
  if (track_ != nullptr) track_->setVisible(false);
  if (fill_ != nullptr) fill_->setVisible(false);
}

bool MiningBar::shown() const { return track_ != nullptr && track_->isVisible(); }

