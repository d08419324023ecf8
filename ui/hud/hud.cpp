#include "ui/hud/hud.h"

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "ui/hud/quick_slots.h"
#include "view/inventory/overlay_art.h"
#include "view/player/portrait_frame.h"

namespace {
constexpr int kPortraitZ = 10;
}

Hud::Hud(engine::InnerNode* parent) : parent_(parent), quickSlots_(std::make_unique<QuickSlots>(parent)) {}

Hud::~Hud() { dropPortrait(); }

void Hud::dropPortrait() {
  if (portrait_ != nullptr && portrait_->getParent() != nullptr) portrait_->getParent()->removeChild(portrait_);
  portrait_ = nullptr;
}

void Hud::layOut() {
  dropPortrait();
  quickSlots_->layOut();
}

void Hud::showPortraitOf(Player& player) {
  if (portrait_ != nullptr && &portrait_->player() == &player) return;
  dropPortrait();
  const float screenHeight = engine::Director::getInstance()->getWinSize().height;
  portrait_ = PortraitFrame::create(player, overlay_art::uiScale(), screenHeight);
  if (parent_ != nullptr) parent_->addChild(portrait_, kPortraitZ);
}

void Hud::update(Player& player) {
  showPortraitOf(player);
  const float most = player.stats.maxHealth > 0 ? player.stats.maxHealth : 1.0f;
  portrait_->setHealth(player.health / most);
  portrait_->setBreath(static_cast<float>(player.breath) / static_cast<float>(PlayerBase::kFullBreath));
  quickSlots_->update(player);
}
