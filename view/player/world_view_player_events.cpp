#include "view/player/world_view_player_events.h"

#include "platform/screen_layout.h"
#include "engine/sprite/sprite.h"
#include "entities/effects/effect_world.h"
#include "entities/particles/debris_presets.h"
#include "game/player/player_graphical.h"
#include "view/atlas/game_textures.h"
#include "view/effects/pickup_icon.h"
#include "view/effects/world_effects.h"
#include "view/main_layer.h"
#include "view/player/player_sprite.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/seams/cell_sounds.h"
#include "world/world.h"

namespace {

constexpr uint32_t kVanishCount = 20;

// The cell of the world as one that effects may change (the events hand cells out read-only).
MapBlock* cellIn(World& world, const MapBlock& cell) { return world.map().cellAt(cell.x, cell.y); }

}  // namespace

PlayerSprite* spriteOf(const PlayerGraphical& player) {
  for (PlayerSprite* sprite : PlayerSprite::all()) {
    if (&sprite->player() == &player) return sprite;
  }
  return nullptr;
}

World* WorldViewPlayerEvents::shownWorld() {
  MainLayer* layer = MainLayer::current();
  return layer != nullptr ? layer->world() : nullptr;
}

void WorldViewPlayerEvents::motionEvent(PlayerGraphical& player, uint8_t code) {
  PlayerSprite* sprite = spriteOf(player);
  if (sprite == nullptr) return;
  sprite->stopSwing();
  if (code == kIdle) {
    sprite->settle();
  } else {
    sprite->onMotionEvent(code);
  }
}

void WorldViewPlayerEvents::setFacing(PlayerGraphical& player, bool left) {
  if (PlayerSprite* sprite = spriteOf(player)) sprite->setFacing(left);
}

void WorldViewPlayerEvents::playAction(PlayerGraphical& player, uint8_t action, uint8_t arg) {
  PlayerSprite* sprite = spriteOf(player);
  if (sprite == nullptr) return;
  switch (action) {
    case kSwingFacing:
      sprite->playSwing();
      if ((arg != 0) == sprite->facingFlag()) sprite->flip();
      return;
    case kSwing: sprite->playSwing(); return;
    case kRebuild: sprite->build(); return;
    case kHeldChanged:
      player.heldItemChanged(player.heldItem());
      sprite->refreshGear();
      return;
    case kAimedSwing:
      sprite->heldSprite()->setRotation(static_cast<float>(arg) * kAimStep);
      sprite->playSwing();
      return;
    case kSound:
      if (MapBlock* cell = player.currentMapBlock(); cell != nullptr && player.world != nullptr) {
        player.world->sounds().playAt(*cell, kActionSound, 0);
      }
      return;
    case kVanish:
      sprite->showMarker(false, 0);
      if (MapBlock* cell = player.currentMapBlock(); cell != nullptr && player.world != nullptr) {
        if (DebrisList* particles = effect::particlesOf(*player.world)) {
          spawnTileDebris(*particles, kVanishDebris, kVanishCount, *cell, 0, false);
        }
      }
      sprite->settle();
      sprite->poseForState();
      sprite->updateGear();
      return;
    case kMarkerOn: sprite->showMarker(true, arg); return;
    case kMarkerOff: sprite->showMarker(false, 0); return;
    default: return;
  }
}

void WorldViewPlayerEvents::tileSound(const MapBlock& cell) {
  World* world = shownWorld();
  MapBlock* target = world != nullptr ? cellIn(*world, cell) : nullptr;
  if (target != nullptr) WorldEffects(*world, tileHits_).playTileSound(*target);
}

void WorldViewPlayerEvents::tileEffect(PlayerGraphical& player, const MapBlock& cell, uint8_t kind) {
  MapBlock* target = player.world != nullptr ? cellIn(*player.world, cell) : nullptr;
  if (target != nullptr) WorldEffects(*player.world, tileHits_).playTileEffect(*target, kind);
}

void WorldViewPlayerEvents::entityEffect(PlayerGraphical& player, Entity* entity, uint8_t kind, uint16_t value) {
  if (player.world != nullptr) WorldEffects(*player.world, tileHits_).playEntityEffect(entity, kind, static_cast<uint8_t>(value));
}

void WorldViewPlayerEvents::sound(uint16_t soundId, const MapBlock& cell) {
  if (World* world = shownWorld()) world->sounds().playAt(cell, soundId, 0);
}

void WorldViewPlayerEvents::cellChanged(PlayerGraphical& player, int, int, bool wrapped) {
  // The tile window follows the player's cell with every frame of the main layer; the sprite's
  // held light and colours follow now, and after a wrap every sprite is placed again at once.
  if (PlayerSprite* sprite = spriteOf(player)) sprite->followCell();
  if (wrapped) PlayerSprite::tickAll();
}

void WorldViewPlayerEvents::itemPickedUp(uint16_t itemId, uint16_t) {
  World* world = shownWorld();
  if (world == nullptr) return;
  const float scale = screenLayout().uiScale > 0.0f ? screenLayout().uiScale : 1.0f;
  showItemPickupIcon(gameTextures().iconBatch, itemId, 0, scale, world->sounds());
}

void WorldViewPlayerEvents::rebuildWorldView() {
  if (MainLayer* layer = MainLayer::current(); layer != nullptr && layer->hasWorldView()) layer->rebuildWorldView();
}
