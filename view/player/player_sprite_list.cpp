// The process-wide list of player sprites and what is done to all of them at once.

#include <algorithm>

#include "content/items/item.h"
#include "game/player/player_graphical.h"
#include "view/player/player_sprite.h"
#include "view/player/player_sprite_look.h"
#include "world/cells/map_block.h"

namespace {

constexpr float kTickSeconds = 1.0f / 60.0f;

std::vector<PlayerSprite*>& sprites() {
  static std::vector<PlayerSprite*> list;
  return list;
}

}  // namespace

void PlayerSprite::registerSprite(PlayerSprite* sprite) { sprites().push_back(sprite); }

void PlayerSprite::unregisterSprite(PlayerSprite* sprite) {
  auto& list = sprites();
  list.erase(std::remove(list.begin(), list.end(), sprite), list.end());
}

const std::vector<PlayerSprite*>& PlayerSprite::all() { return sprites(); }

void PlayerSprite::stepAll() {
  // A copy: a step may make or end a sprite.
  const std::vector<PlayerSprite*> list = sprites();
  for (PlayerSprite* sprite : list) {
    sprite->player().update(1.0f);
    sprite->animator()->update(kTickSeconds);
  }
}

void PlayerSprite::tickAll() {
  const std::vector<PlayerSprite*> list = sprites();
  for (PlayerSprite* sprite : list) sprite->perFrame();
}

uint16_t PlayerSprite::carriedLightAt(const MapBlock& cell) {
  uint16_t brightest = 0;
  for (PlayerSprite* sprite : sprites()) {
    if (sprite->player().currentMapBlock() != &cell) continue;
    const uint16_t light = sprite->carriedLight();
    if (isBrighterLight(light, brightest)) brightest = light;
  }
  return brightest;
}

void PlayerSprite::relightAll() {
  for (PlayerSprite* sprite : sprites()) sprite->updateColors();
}

void PlayerSprite::runLocalWornItemEffects() {
  const std::vector<PlayerSprite*> list = sprites();
  for (PlayerSprite* sprite : list) {
    if (sprite->isLocal()) runWornItemEffects(sprite->player());
  }
}
