#include "view/effects/pickup_icon.h"

#include <cmath>

#include "content/art/item_atlas_layout.h"
#include "engine/base/random.h"
#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/director.h"
#include "engine/scene/move_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tween_function.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "world/seams/cell_sounds.h"

namespace {

using EaseOut = engine::EaseRateTemplate<engine::tweenfunc::easeOut>;

constexpr float kFlight = 0.5f;
constexpr float kMostDelay = 0.1f;

}  // namespace

engine::Sprite* showItemPickupIcon(engine::SpriteBatchNode* iconBatch, uint16_t itemId, uint8_t variant,
                                   float uiScale, CellSounds& sounds) {
  if (iconBatch == nullptr) return nullptr;
  const float u = uiScale > 0 ? uiScale : 1.0f;
  const uint32_t spread = static_cast<uint32_t>(std::trunc(u)) * 16;
  const float r = spread != 0 ? static_cast<float>(engine::randomNext() % spread) : 0.0f;
  engine::Sprite* icon = engine::Sprite::createWithTextureRect(iconBatch->getTexture(), art::itemIconRect(itemId, variant));
  icon->setPosition(engine::Vec2(28.5f * u - r, 30.0f * u));
  icon->setScale(u);
  icon->setVisible(false);
  iconBatch->addChild(icon, 0);

  const float delay = kMostDelay * static_cast<float>(engine::randomNext()) / 32767.0f;
  auto* appear = engine::CallFunc::create([icon, &sounds] {
    icon->setVisible(true);
    sounds.playAnywhere(kPickupSound, 0);
  });
  auto* fly = engine::Spawn::createWithTwoActions(
      EaseOut::create(engine::MoveTo::create(kFlight, engine::Vec2(16.0f * u, 14.0f * u)), 2.0f),
      engine::ScaleTo::create(kFlight, 0.0f));
  auto* leave = engine::CallFunc::create([icon] {
    if (engine::Node* parent = icon->getParent()) parent->removeChild(icon);
  });
  auto* run = engine::Sequence::createWithTwoActions(
      engine::Sequence::createWithTwoActions(engine::DelayTime::create(delay), appear),
      engine::Sequence::createWithTwoActions(fly, leave));
  engine::Director::getInstance()->getActionManager()->addAction(run, icon);
  return icon;
}
