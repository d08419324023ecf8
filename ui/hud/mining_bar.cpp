#include "ui/hud/mining_bar.h"

#include <algorithm>

#include "content/art/interface_layout.h"
#include "engine/layer/layer_color.h"
#include "engine/layer/progress_timer.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/overlay_art.h"

namespace {

constexpr float kHeight = 5.0f;
constexpr float kBorder = 1.0f;
constexpr int kZ = 30;  // above the world, below the HUD's views
constexpr engine::Color3B kFillColour{240, 214, 120};
constexpr float kStripWidth = 4.0f;  // of the atlas's white strip, stretched to the bar

// A bar that grows from its left edge to the right, across the whole height.
engine::ProgressTimer* makeFill(engine::InnerNode* parent) {
  engine::Texture2D* texture = overlay_art::interfaceTexture();
  if (texture == nullptr || parent == nullptr) return nullptr;
  engine::Sprite* strip = engine::Sprite::createWithTextureRect(texture, art::healthBarRect(kStripWidth));
  engine::ProgressTimer* fill = strip != nullptr ? engine::ProgressTimer::create(strip) : nullptr;
  if (fill == nullptr) return nullptr;
  fill->setType(engine::ProgressTimer::Type::BAR);
  fill->setMidpoint(engine::Vec2(0.0f, 0.5f));
  fill->setBarChangeRate(engine::Vec2(1.0f, 0.0f));
  // The window from the left edge is the part drawn, not what lies outside it.
  fill->setReverseDirection(false);
  fill->setColor(kFillColour);
  fill->setAnchorPoint(engine::Vec2(0.0f, 0.0f));
  parent->addChild(fill, kZ + 1);
  return fill;
}

}  // namespace

MiningBar::MiningBar(engine::InnerNode* parent) {
  track_ = addColorLayer(parent, engine::Color4B{20, 16, 12, 200}, engine::Size(1, kHeight), engine::Vec2(), kZ);
  fill_ = makeFill(parent);
  hide();
}

MiningBar::~MiningBar() {
  if (track_ != nullptr && track_->getParent() != nullptr) track_->getParent()->removeChild(track_);
  if (fill_ != nullptr && fill_->getParent() != nullptr) fill_->getParent()->removeChild(fill_);
}

void MiningBar::show(const engine::Vec2& cellCentre, float cellSide, float progress) {
  if (track_ == nullptr) return;
  const float width = std::max(cellSide, 12.0f);
  const engine::Vec2 corner(cellCentre.x - width / 2, cellCentre.y + cellSide / 2 + 2);
  track_->setContentSize(engine::Size(width, kHeight));
  track_->setPosition(corner);
  track_->setVisible(true);
  if (fill_ == nullptr) return;
  const engine::Size strip = fill_->getContentSize();
  if (strip.width <= 0 || strip.height <= 0) return;
  fill_->setScaleX((width - 2 * kBorder) / strip.width);
  fill_->setScaleY((kHeight - 2 * kBorder) / strip.height);
  fill_->setPosition(corner + engine::Vec2(kBorder, kBorder));
  fill_->setPercentage(std::clamp(progress, 0.0f, 1.0f) * 100.0f);
  fill_->setVisible(true);
}

void MiningBar::hide() {
  if (track_ != nullptr) track_->setVisible(false);
  if (fill_ != nullptr) fill_->setVisible(false);
}

bool MiningBar::shown() const { return track_ != nullptr && track_->isVisible(); }

float MiningBar::percentage() const { return fill_ != nullptr ? fill_->getPercentage() : 0.0f; }
