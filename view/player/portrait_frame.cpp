#include "view/player/portrait_frame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "content/art/character_atlas_layout.h"
#include "content/art/interface_layout.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/sequence.h"
#include "engine/scene/tint_to.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "game/player/player_base.h"
#include "view/atlas/game_textures.h"
#include "view/entities/dyable_sprite.h"
#include "view/labels/label_makers.h"
#include "view/player/player_sprite_look.h"

namespace {

constexpr int kHead = 1;
constexpr float kCharacterScale = 1.15f;
// The health bar's own red. The bar is drawn from a white pixel in this colour, so a flash turns
// the whole bar to its colour and back, where a tint of the red picture would only darken it.
constexpr engine::Color3B kHealthColour{220, 56, 48};
constexpr engine::Color3B kHealColour{185, 255, 90};
constexpr engine::Color3B kHurtColour{255, 0, 0};

engine::Sprite* uiSprite(const engine::Rect& rect) {
  return engine::Sprite::createWithTextureRect(gameTextures().textures[atlas::kInterface], rect);
}

}  // namespace

PortraitFrame* PortraitFrame::create(PlayerGraphical& player, float uiScale, float screenHeight) {
  auto* frame = new PortraitFrame(player, uiScale > 0 ? uiScale : 1.0f);
  frame->addFrame();
  frame->addCharacter();
  frame->setPosition(engine::Vec2(frame->scale_ * 45.0f, screenHeight - frame->scale_ * 12.0f));
  frame->autorelease();
  return frame;
}

engine::Vec2 PortraitFrame::layoutPoint(float rx, float ry) const {
  return engine::Vec2((rx - 0.5f) * kBoxWidth * scale_, (ry - 0.5f) * kBoxHeight * scale_);
}

void PortraitFrame::addFrame() {
  const auto piece = [this](const engine::Rect& rect, float rx, float widthScale) {
    engine::Sprite* sprite = uiSprite(rect);
    sprite->setScale(scale_);
    sprite->setScaleX(scale_ * widthScale);
    sprite->setPosition(layoutPoint(rx, 0.5f));
    addChild(sprite, 1);
  };
  piece(art::kPortraitCap, 0.0375f, 1.0f);
  piece(art::kPortraitCap, 0.9625f, -1.0f);
  piece(art::kPortraitMiddle, 0.5f, 68.0f);
  const engine::Rect white = art::healthBarRect(1);
  healthFill_ = uiSprite(white);
  healthFill_->setColor(kHealthColour);
  breathFill_ = uiSprite(art::kPortraitBreathFill);
  for (engine::Sprite* fill : {healthFill_, breathFill_}) {
    fill->setScale(scale_);
    addChild(fill, 2);
  }
  healthFill_->setScaleY(scale_ * art::kPortraitHealthFill.size.height / white.size.height);
  number_ = makeLabel(2, "   ", engine::Vec2(0, 0));
  if (number_ != nullptr) {
    number_->setColor(engine::Color3B::WHITE);
    addChild(number_, 2);
  }
}

void PortraitFrame::addCharacter() {
  character_ = engine::InnerNode::create();
  character_->setScale(scale_ * kCharacterScale);
  character_->setPosition(layoutPoint(0.16f, 0.44f));
  addChild(character_, 2);
  const art::CharacterLook look = characterLookOf(player_);
  for (int i = 0; i < art::kCharacterPartCount; ++i) {
    DyableSprite* part = DyableSprite::create(gameTextures().textures[atlas::kEquip], art::characterPartRect(look, i, 2));
    part->setPosition(art::characterPartOffset(i));
    if (i == kHead) part->setDye(art::lookPaletteColour(look.skin));
    character_->addChild(part, 0, i);
  }
}

void PortraitFrame::setHealth(float fraction) {
  health_ = fraction;
  const float length = fraction * kBarLength;
  healthFill_->setScaleX(std::max(scale_, length * scale_));
  healthFill_->setPosition(layoutPoint((length / 2 + 22) / kBoxWidth, 0.65f));
  if (number_ == nullptr) return;
  number_->setPosition(layoutPoint(std::max(0.385f, (length + 22) / kBoxWidth - 0.02f), 0.45f));
  const PlayerBase* body = player_.withBody();
  const float health = body != nullptr ? body->health : 0.0f;
  number_->setString(std::to_string(static_cast<int>(std::trunc(health * 10))));
}

void PortraitFrame::setBreath(float fraction) {
  breath_ = fraction;
  const float length = fraction * kBarLength;
  breathFill_->setScaleX(std::max(scale_, length * scale_));
  breathFill_->setPosition(layoutPoint((length / 2 + 22) / kBoxWidth, 0.25f));
}

void PortraitFrame::flashHealth(bool hurt) {
  engine::ActionManager* actions = getActionManager();
  if (actions == nullptr) return;
  const engine::Color3B to = hurt ? kHurtColour : kHealColour;
  const float there = hurt ? 0.04f : 0.03f;
  const float back = hurt ? 0.06f : 0.05f;
  for (engine::Node* part : {static_cast<engine::Node*>(healthFill_), static_cast<engine::Node*>(number_)}) {
    if (part == nullptr || actions->getActionByTag(kFlashTag, part) != nullptr) continue;
    // Back to the part's own look: the bar's red, the number's white.
    const engine::Color3B own = part == healthFill_ ? kHealthColour : engine::Color3B::WHITE;
    engine::FiniteTimeAction* flash = engine::Sequence::createWithTwoActions(
        engine::TintTo::create(there, to.r, to.g, to.b), engine::TintTo::create(back, own.r, own.g, own.b));
    flash->setTag(kFlashTag);
    actions->addAction(flash, part);
  }
}
