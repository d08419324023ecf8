#include "view/player/player_sprite_local.h"

#include "engine/scene/node.h"
#include "game/player/player_graphical.h"
#include "platform/settings/settings.h"

PlayerSpriteLocal::PlayerSpriteLocal(PlayerGraphical& player, const engine::Node* camera)
    : PlayerSprite(player), camera_(camera) {}

void PlayerSpriteLocal::setPosition(engine::Vec2 point) {
  PlayerSprite::setPosition(camera_ != nullptr ? point + camera_->getPosition() : point);
}

void PlayerSpriteLocal::perFrame() {
  if (heldNow() != shown_) refreshGear();
  setPosition(player().position);
}

bool PlayerSpriteLocal::keepsAim() const { return kel::options().rotateItemsOnMouse; }
