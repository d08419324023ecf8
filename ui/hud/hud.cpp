#include "ui/hud/hud.h"

#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "ui/hud/portrait_frame.h"
#include "ui/hud/quick_slots.h"

Hud::Hud(engine::InnerNode* parent)
    : portrait_(std::make_unique<PortraitFrame>(parent)),
      quickSlots_(std::make_unique<QuickSlots>(parent)) {}

Hud::~Hud() = default;

void Hud::update(Player& player) {
  portrait_->setName(player.name);
  const float most = player.stats.maxHealth > 0 ? player.stats.maxHealth : 1.0f;
  portrait_->setHealth(player.health / most);
  portrait_->setBreath(static_cast<float>(player.breath) / static_cast<float>(PlayerBase::kFullBreath));
  quickSlots_->update(player);
}
