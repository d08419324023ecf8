#include "view/effects/screen_tint.h"

#include "engine/layer/layer_color.h"
#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/sequence.h"
#include "engine/scene/tween_function.h"
#include "platform/audio/sound_effects.h"

namespace {

constexpr int kFadeOutTag = 0;
constexpr int kFadeInTag = 1;
constexpr int kZ = 21;
constexpr uint8_t kShownOpacity = 100;
constexpr uint16_t kLeaveSound = 60;
constexpr uint16_t kEnterSound = 58;

engine::Color3B tintColour(uint8_t state) {
  switch (state) {
    case 1: return {22, 59, 110};
    case 2: return {133, 24, 0};
    default: return {92, 133, 0};
  }
}

// A tint layer remembers the state it shows.
class TintLayer final : public engine::LayerColor {
 public:
  static TintLayer* create(engine::Size screen, uint8_t state) {
    auto* layer = new TintLayer();
    const engine::Color3B c = tintColour(state);
    layer->initWithColor({c.r, c.g, c.b, 0}, screen.width, screen.height);
    layer->state = state;
    layer->autorelease();
    return layer;
  }
  uint8_t state = 0;
};

TintLayer* findTint(engine::InnerNode& layer) { return static_cast<TintLayer*>(layer.getChildByTag(kScreenTintTag)); }

engine::ActionInterval* easedFade(float opacity) {
  return engine::EaseRateTemplate<engine::tweenfunc::easeOut>::create(engine::FadeTo::create(0.1f, uint8_t(opacity)),
                                                                      2.0f);
}

void run(engine::Node& node, engine::Action* action, int tag) {
  action->setTag(tag);
  node.getActionManager()->addAction(action, &node);
}

}  // namespace

void showScreenTint(engine::InnerNode& layer, engine::Size screen, uint8_t state) {
  TintLayer* tint = findTint(layer);
  engine::ActionManager& actions = *layer.getActionManager();
  if (state == 0) {
    if (tint == nullptr || actions.getActionByTag(kFadeOutTag, tint) != nullptr) return;
    // A fade-in that has begun finishes first; the next call fades out.
    if (actions.getActionByTag(kFadeInTag, tint) != nullptr) return;
    run(*tint,
        engine::Sequence::createWithTwoActions(easedFade(0), engine::CallFunc::create([tint] {
                                                 tint->getParent()->removeChild(tint);
                                               })),
        kFadeOutTag);
    kel::playSound(kLeaveSound, 0, nullptr);
    return;
  }
  if (tint != nullptr) {
    if (actions.getActionByTag(kFadeInTag, tint) != nullptr || tint->state == state) return;
    tint->setColor(tintColour(state));
    tint->state = state;
    return;
  }
  tint = TintLayer::create(screen, state);
  layer.addChild(tint, kZ, kScreenTintTag);
  run(*tint, easedFade(kShownOpacity), kFadeInTag);
  tint->setBlendFunc(engine::BlendFunc::ADDITIVE);
  kel::playSound(kEnterSound, 0, nullptr);
}
