// The process-wide list of player sprites and what is done to all of them at once.

#include <algorithm>

#include "content/items/item.h"
#include "game/player/player_graphical.h"
#include "view/player/player_sprite.h"
#include "view/player/player_sprite_look.h"
#include "world/cells/map_block.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kTickSeconds = 1.0f / 60.0f;

std::vector<PlayerSprite*>& sprites() {
  static std::vector<PlayerSprite*> list;
  return list;
}

LightMap* lightMapOf(PlayerGraphical& player) {
  return player.world != nullptr ? &player.world->map().lightMap() : nullptr;
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

PlayerSprite* PlayerSprite::findAtCell(const MapBlock& cell) {
  for (PlayerSprite* sprite : sprites()) {
    if (sprite->player().currentMapBlock() == &cell) return sprite;
  }
  return nullptr;
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

void PlayerSprite::refreshCarriedLights(bool remove) {
  if (!remove) {
    for (PlayerSprite* sprite : sprites()) {
      const uint16_t light = sprite->carriedLight();
      MapBlock* cell = sprite->player().currentMapBlock();
      LightMap* lights = lightMapOf(sprite->player());
      if (light != 0 && cell != nullptr && lights != nullptr) lights->raiseCellLight(*cell, light);
    }
    return;
  }
  // While the list is away no cell finds a carried light, so each recomputed cell goes dark.
  std::vector<PlayerSprite*> kept;
  kept.swap(sprites());
  for (PlayerSprite* sprite : kept) {
    MapBlock* cell = sprite->player().currentMapBlock();
    LightMap* lights = lightMapOf(sprite->player());
    if (sprite->carriedLight() != 0 && cell != nullptr && lights != nullptr) lights->updateAround(*cell, true);
  }
  kept.swap(sprites());
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
