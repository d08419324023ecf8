#include "ui/hud/portrait_frame.h"

#include <algorithm>

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "ui/widgets/ui_draw.h"

namespace {
constexpr float kWidth = 220.0f;
constexpr float kHeight = 70.0f;
constexpr float kBarWidth = 200.0f;
constexpr float kBarHeight = 12.0f;
constexpr float kMargin = 10.0f;
}  // namespace

PortraitFrame::PortraitFrame(engine::InnerNode* parent) {
  const engine::Size window = uiWindowSize();
  const engine::Vec2 corner(kMargin, window.height - kMargin - kHeight);
  addColorLayer(parent, engine::Color4B{30, 30, 36, 200}, engine::Size(kWidth, kHeight), corner);
  name_ = addTextLabel(parent, "", corner + engine::Vec2(10.0f, kHeight - 14.0f), kFontSmall);
  const engine::Vec2 health = corner + engine::Vec2(10.0f, 24.0f);
  addColorLayer(parent, engine::Color4B{70, 20, 20, 255}, engine::Size(kBarWidth, kBarHeight), health);
  healthBar_ = addColorLayer(parent, engine::Color4B{220, 40, 40, 255}, engine::Size(kBarWidth, kBarHeight), health, 1);
  const engine::Vec2 breath = corner + engine::Vec2(10.0f, 6.0f);
  addColorLayer(parent, engine::Color4B{20, 30, 70, 255}, engine::Size(kBarWidth, kBarHeight), breath);
  breathBar_ = addColorLayer(parent, engine::Color4B{60, 140, 230, 255}, engine::Size(kBarWidth, kBarHeight), breath, 1);
}

void PortraitFrame::setName(const std::string& name) { setLabelText(name_, name); }

void PortraitFrame::setHealth(float fraction) {
  health_ = std::clamp(fraction, 0.0f, 1.0f);
  if (healthBar_ != nullptr) healthBar_->setContentSize(engine::Size(kBarWidth * health_, kBarHeight));
}

void PortraitFrame::setBreath(float fraction) {
  breath_ = std::clamp(fraction, 0.0f, 1.0f);
  if (breathBar_ != nullptr) breathBar_->setContentSize(engine::Size(kBarWidth * breath_, kBarHeight));
}
