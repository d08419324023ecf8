#include "view/overlays/sign_label.h"

#include <utility>

#include "engine/base/ref_ptr.h"
#include "platform/screen_layout.h"
#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/director.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/move_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tween_function.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "view/atlas/game_textures.h"
#include "view/labels/label_makers.h"

namespace {

// Never destroyed: a label still held at exit would be released after the GL context is gone.
engine::RefPtr<SignLabel>& slot() {
  static auto* node = new engine::RefPtr<SignLabel>();
  return *node;
}

constexpr float kBoxWidth = 136.0f;
constexpr float kBoxHeight = 52.0f;
constexpr float kSignGap = 42.0f;
constexpr float kEdge = 5.0f;

float uiScale() { return screenLayout().uiScale > 0.0f ? screenLayout().uiScale : 1.0f; }

}  // namespace

SignLabel* SignLabel::instance() { return slot(); }

void SignLabel::forget() {
  engine::RefPtr<SignLabel> node = std::move(slot());
  if (node == nullptr) return;
  if (engine::Node* parent = node->getParent()) parent->removeChild(node);
}

bool SignLabel::build(engine::InnerNode& parent) {
  const float scale = uiScale();
  // Without its font the bubble still shows, empty, rather than nothing at all.
  label_ = makeLabel(2, std::string(4 * 24, 'A'), engine::Vec2(0.0f, 3.0f * scale));
  if (label_ != nullptr) {
    label_->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
    label_->setColor(engine::Color3B{255, 255, 255});
    label_->setHorizontalAlignment(engine::TextHAlignment::CENTER);
    addChild(label_, 1, 2186);
  }
  if (engine::Texture2D* interface = gameTextures().textures[atlas::kInterface]) {
    engine::Sprite* bubble =
        engine::Sprite::createWithTextureRect(interface, engine::Rect(1, 269, kBoxWidth, kBoxHeight));
    if (bubble != nullptr) {
      bubble->setScale(scale);
      addChild(bubble, 0);
    }
  }
  setCascadeOpacityEnabled(true);
  parent.addChild(this, kZOrder, kTag);
  return true;
}

SignLabel* SignLabel::show(engine::InnerNode& parent, const std::string& text, engine::Vec2 point) {
  if (slot() == nullptr) {
    auto node = engine::RefPtr<SignLabel>::adopt(new SignLabel());
    if (!node->init() || !node->build(parent)) return nullptr;
    slot() = std::move(node);
  }
  SignLabel* node = slot();
  if (node->label_ != nullptr) node->label_->setString(text);
  node->growFrom(point, bubblePlace(point, engine::Director::getInstance()->getWinSize(), uiScale()));
  return node;
}

// From nothing at the sign to full size at its place, fading in, in a fifth of a second.
void SignLabel::growFrom(engine::Vec2 point, engine::Vec2 place) {
  using EaseOut = engine::EaseRateTemplate<engine::tweenfunc::easeOut>;
  constexpr float kSeconds = 0.2f, kRate = 2.0f;
  setScale(0.0f);
  setPosition(point);
  setOpacity(0);
  getActionManager()->removeAllActionsFromTarget(this);
  getActionManager()->addAction(
      engine::Spawn::createWithTwoActions(
          engine::Spawn::createWithTwoActions(EaseOut::create(engine::FadeTo::create(kSeconds, 255), kRate),
                                              EaseOut::create(engine::MoveTo::create(kSeconds, place), kRate)),
          EaseOut::create(engine::ScaleTo::create(kSeconds, 1.0f), kRate)),
      this);
}

engine::Vec2 SignLabel::bubblePlace(engine::Vec2 p, engine::Size screen, float scale) {
  engine::Vec2 q = p;
  const float hs = scale * kBoxHeight;
  if (p.y + kSignGap + hs >= screen.height - kEdge * scale) {
    if (p.y - kSignGap - hs > kEdge * scale) q.y = p.y - kSignGap - hs / 2.0f;
  } else {
    q.y = p.y + kSignGap + hs / 2.0f;
  }
  const float ws = scale * kBoxWidth / 2.0f;
  if (p.x - ws < kEdge * scale) {
    q.x = ws + kEdge * scale;
  } else if (p.x + ws > screen.width - kEdge * scale) {
    q.x = screen.width - kEdge * scale - ws;
  }
  return q;
}
