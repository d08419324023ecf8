#include "view/effects/view_effect_hooks.h"

#include "engine/scene/director.h"
#include "game/player/player_graphical.h"
#include "view/effects/screen_shake.h"
#include "view/main_layer.h"
#include "view/player/player_sprite.h"

void ViewEffectHooks::shakeScreen(bool gentle) {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr || layer->rootNode() == nullptr) return;
  const engine::Size screen = engine::Director::getInstance()->getWinSize();
  ::shakeScreen(*layer->rootNode(), engine::Vec2(screen.width * 0.5f, screen.height * 0.5f), gentle);
}

bool ViewEffectHooks::wearerPlace(PlayerGraphical* player, World*& world, engine::Vec2& position) {
  for (const PlayerSprite* sprite : PlayerSprite::all()) {
    if (&sprite->player() != player) continue;
    world = player->world;
    position = player->position;
    return world != nullptr;
  }
  return false;
}
