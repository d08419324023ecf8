#include "view/sign_label.h"

#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/move_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tween_function.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "view/main_layer.h"
#include "view/overlay_art.h"

namespace {

using engine::Vec2;

constexpr engine::Rect kBubble(1, 269, 136, 52);
constexpr float kEaseRate = 2.0f;

using EaseOut = engine::EaseRateTemplate<engine::tweenfunc::easeOut>;

SignLabel*& slot() {
  static SignLabel* bubble = nullptr;
  return bubble;
}

// Four lines of 24 letters: the text the bubble is made for.
std::string placeholderText() {
  const std::string line(24, 'A');
  return line + "\n" + line + "\n" + line + "\n" + line;
}

}  // namespace

Vec2 signBubbleTarget(const Vec2& p, const engine::Size& screen, float uiScale) {
  Vec2 q = p;
  const float margin = SignLabel::kMargin * uiScale;
  const float hs = uiScale * SignLabel::kHeight;
  const bool roomAbove = p.y + SignLabel::kLift + hs < screen.height - margin;
  const bool roomBelow = p.y - SignLabel::kLift - hs > margin;
  q.y = !roomAbove && roomBelow ? p.y - SignLabel::kLift - hs / 2 : p.y + SignLabel::kLift + hs / 2;
  const float ws = uiScale * SignLabel::kWidth / 2;
  if (p.x - ws < margin) {
    q.x = ws + margin;
  } else if (p.x + ws > screen.width - margin) {
    q.x = screen.width - margin - ws;
  }
  return q;
}

SignLabel* SignLabel::instance() { return slot(); }

void SignLabel::show(const std::string& text, const Vec2& signPoint) {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  if (slot() == nullptr) {
    auto* bubble = new SignLabel();
    if (!bubble->init()) {
      delete bubble;
      return;
    }
    slot() = bubble;  // the bubble's own reference: it stays until dismissed
  }
  // A bubble whose main layer went is taken up by the running one.
  if (slot()->getParent() == nullptr) layer->addChild(slot(), kZ, kTag);
  slot()->showAt(text, signPoint);
}

void SignLabel::dismiss() {
  SignLabel* bubble = slot();
  if (bubble == nullptr) return;
  slot() = nullptr;
  if (bubble->getParent() != nullptr) bubble->removeFromParentAndCleanup();
  bubble->release();
}

bool SignLabel::init() {
  if (!InnerNode::init()) return false;
  const float scale = overlay_art::uiScale();
  label_ = overlay_art::overlayLabel(2, placeholderText(), Vec2(0, 3 * scale));
  if (label_ == nullptr) return false;
  label_->setColor(engine::Color3B{255, 255, 255});
  label_->setAnchorPoint(Vec2(0.5f, 0.5f));
  label_->setHorizontalAlignment(engine::TextHAlignment::CENTER);
  addChild(label_, 1, kLabelTag);
  if (engine::Sprite* bubble = overlay_art::interfaceSprite(kBubble, Vec2(0, 0))) addChild(bubble, 0);
  setCascadeOpacityEnabled(true);
  return true;
}

void SignLabel::showAt(const std::string& text, const Vec2& signPoint) {
  label_->setString(text);
  setScale(0);
  setPosition(signPoint);
  setOpacity(0);
  const Vec2 target = signBubbleTarget(signPoint, overlay_art::screenSize(), overlay_art::uiScale());
  getActionManager()->removeAllActionsFromTarget(this);
  getActionManager()->addAction(
      engine::Spawn::createWithTwoActions(
          engine::Spawn::createWithTwoActions(EaseOut::create(engine::FadeTo::create(kGrowSeconds, 255), kEaseRate),
                                              EaseOut::create(engine::MoveTo::create(kGrowSeconds, target), kEaseRate)),
          EaseOut::create(engine::ScaleTo::create(kGrowSeconds, 1.0f), kEaseRate)),
      this);
}
