#include "view/player/player_sprite.h"

#include "content/art/character_atlas_layout.h"
#include "content/art/interface_layout.h"
#include "content/items/item.h"
#include "engine/scene/action_manager.h"
#include "engine/sprite/sprite.h"
#include "entities/effects/effect_world.h"
#include "entities/particles/debris_presets.h"
#include "game/player/player_base.h"
#include "view/atlas/game_textures.h"
#include "view/effects/tile_hits.h"
#include "view/effects/world_effects.h"
#include "view/entities/dyable_sprite.h"
#include "view/entities/entity_tint.h"
#include "view/player/held_item_sprite.h"
#include "view/player/player_sprite_look.h"
#include "world/cells/map_block.h"
#include "world/seams/cell_sounds.h"
#include "world/world.h"

namespace {

// The z order of each part in the animator, by part index.
constexpr std::array<int, art::kCharacterPartCount> kPartZ = {9, 8, 7, 13, 5, 11, 6, 9, 2, 1, 4, 3};
constexpr int kTorso = 7;
constexpr int kHead = 1;
constexpr uint8_t kHalfSeen = 128;
constexpr uint16_t kShowDebrisList = 17;
constexpr uint32_t kShowDebrisCount = 20;

// The layout argument of the pictures: the alternate one while climbing.
int layoutFor(int32_t motion) { return motion == 5 ? 1 : 2; }

float withSign(float magnitude, float signOf) { return signOf < 0 ? -magnitude : magnitude; }

void playAtPlayer(PlayerGraphical& player, uint16_t sound) {
  MapBlock* cell = player.currentMapBlock();
  if (cell != nullptr && player.world != nullptr) player.world->sounds().playAt(*cell, sound, 0);
}

}  // namespace

int32_t playerBodyState(const PlayerGraphical& player) {
  const PlayerBase* body = player.withBody();
  return body != nullptr ? body->motionState() : 0;
}

PlayerSprite::PlayerSprite(PlayerGraphical& player) : player_(&player) {
  animator_ = PlayerAnimator::create(this);
  registerSprite(this);
  animator_->setPosition(engine::Vec2(0, 0));
  animator_->setScaleX(-1.0f);
  motion_ = playerBodyState(player);
  const GameTextures& textures = gameTextures();
  const auto* rest = art::playerRestPose(motion_);
  for (int i = 0; i < art::kCharacterPartCount; ++i) {
    DyableSprite* part = DyableSprite::create(textures.textures[atlas::kEquip], engine::Rect());
    part->setPosition(rest != nullptr ? (*rest)[i] : art::characterPartOffset(i));
    animator_->addChild(part, kPartZ[i], i);
    animator_->setPart(i, part);
    parts_[i] = part;
  }
  heldSprite_ = HeldItemSprite::create(textures.textures[atlas::kTools]);
  heldSprite_->setVisible(false);
  animator_->addChild(heldSprite_, kHeldZ, kHeldTag);
  animating_ = false;
  motion_ = -1;
  const Item* held = player.heldItem();
  player.heldTint = held != nullptr && !held->isNone() ? held->tintColor() : 0;
  updateGear();
  build();
}

void PlayerSprite::setPosition(engine::Vec2 point) { animator_->setPosition(point + bodyOffset_); }

// ---- Body ----

void PlayerSprite::applyBodyScale(uint32_t flags) {
  const auto has = [flags](int bit) { return (flags & (1u << bit)) != 0; };
  const engine::Vec2 before = bodyOffset_;
  const float sx = animator_->getScaleX();
  const float sy = animator_->getScaleY();
  if (has(18) || has(19)) {
    const float magnitude = has(18) ? 2.0f : 0.5f;
    animator_->setScaleX(withSign(magnitude, sx));
    animator_->setScaleY(withSign(magnitude, sy));
    bodyOffset_ = engine::Vec2(0, kRestLift + (has(18) ? 15.0f : -7.5f));
  } else if (!has(4)) {
    animator_->setScaleX(withSign(1.0f, sx));
    animator_->setScaleY(withSign(1.0f, sy));
    bodyOffset_ = engine::Vec2(0, kRestLift);
  } else {
    // Reversed gravity turns the body over again with every build.
    animator_->setScaleX(withSign(1.0f, sx));
    animator_->setScaleY(sy < 0 ? 1.0f : -1.0f);
  }
  if (!(bodyOffset_ == before)) animator_->setPosition(animator_->getPosition() + (bodyOffset_ - before));
}

void PlayerSprite::build() {
  PlayerGraphical& p = *player_;
  uint32_t flags = 0;
  for (int bit : {1, 4, 6, 18, 19}) flags |= p.hasFlag(static_cast<uint16_t>(bit)) ? 1u << bit : 0u;
  applyBodyScale(flags);
  const art::CharacterLook look = characterLookOf(p);
  const int layout = layoutFor(motion_);
  for (int i = 0; i < art::kCharacterPartCount; ++i) {
    DyableSprite* part = parts_[i];
    if (part->dyeOn != 0) part->clearDye();
    part->setTextureRect(art::characterPartRect(look, i, layout));
    part->setOpacity((flags & (1u << 1)) != 0 ? kHalfSeen : 255);
    if ((flags & (1u << 6)) != 0) {
      part->setDye(playerColourOf(p));
    } else if (i == kHead) {
      part->setDye(art::lookPaletteColour(look.skin));
    }
  }
  updateWornLight();
}

void PlayerSprite::updateWornLight() {
  const uint16_t worn = player_->carriedLight & 0x0FFF;
  if (worn != 0 && !carriesLight_) {
    carriesLight_ = true;
    raiseLight(worn);
  } else if (worn == 0 && carriesLight_) {
    carriesLight_ = false;
    lowerLight();
  }
}

void PlayerSprite::placeRestPose(int32_t state) {
  const auto* rest = art::playerRestPose(state);
  if (rest == nullptr) return;
  for (int i = 0; i < art::kCharacterPartCount; ++i) parts_[i]->setPosition((*rest)[i]);
}

void PlayerSprite::poseForState() {
  engine::ActionManager* actions = animator_->getActionManager();
  for (DyableSprite* part : parts_) actions->removeAllActionsFromTarget(part);
  const int32_t state = playerBodyState(*player_);
  if (state != 0 && state != 5 && state != 9) return;
  parts_[kTorso]->setTextureRect(art::characterPartRect(characterLookOf(*player_), kTorso, layoutFor(state)));
  placeRestPose(state);
  motion_ = state;
}

void PlayerSprite::playAnimation(int32_t id, bool alternate) {
  if (motion_ == id) return;
  if (!heldHasActions()) hideHeldItem();
  parts_[kTorso]->setTextureRect(art::characterPartRect(characterLookOf(*player_), kTorso, alternate ? 1 : 2));
  animator_->play(static_cast<uint32_t>(id));
  motion_ = id;
  animating_ = true;
}

void PlayerSprite::settle() {
  if (!animating_) return;
  animator_->stopBody();
  poseForState();
  animating_ = false;
  if (!heldHasActions()) updateGear();
}

// ---- Motion events ----

void PlayerSprite::onMotionEvent(uint8_t event) {
  if (player_->inFreeFlight()) {
    stepFreeMotion(event);
  } else {
    stepMotion(event);
  }
}

void PlayerSprite::stepMotion(uint8_t event) {
  switch (event) {
    case 0: playAtPlayer(*player_, kStepSound); playAnimation(6, false); return;
    case 1:
    case 3: playAnimation(1, false); return;
    case 2: playAnimation(7, false); return;
    case 4:
      if (motion_ == 0 && player_->world != nullptr) {
        if (MapBlock* below = player_->mapBlockAtOffset(0, -1)) {
          NoTileHits noHits;
          WorldEffects(*player_->world, noHits).playTileSound(*below);
        }
      }
      playAnimation(3, false);
      return;
    case 5: playAtPlayer(*player_, kStepSound); playAnimation(2, false); return;
    case 6:
    case 8:
    case 9: playAtPlayer(*player_, kLandSound); playAnimation(2, false); return;
    case 7: playAnimation(4, true); return;
    case 10: playAnimation(8, false); return;
    default: return;
  }
}

void PlayerSprite::stepFreeMotion(uint8_t event) {
  if (event == 0 || event == 2) {
    if (motion_ != 8) playAnimation(8, false);
    return;
  }
  if (event != 1 && event != 3 && event != 12) return;
  const PlayerBase* body = player_->withBody();
  if ((body != nullptr && body->isGrounded()) || animating_) {
    const int32_t state = playerBodyState(*player_);
    if (state == 0) playAnimation(1, false);
    if (state == 9) playAnimation(8, false);
    return;
  }
  playAnimation(8, false);
}

// ---- Facing, colours, marker ----

void PlayerSprite::setFacing(bool facing) {
  if (facing == facingFlag_) flip();
}

void PlayerSprite::flip() {
  animator_->setScaleX(-animator_->getScaleX());
  facingFlag_ = !facingFlag_;
}

void PlayerSprite::updateColors() {
  const MapBlock* cell = player_->currentMapBlock();
  if (cell == nullptr || player_->world == nullptr) return;
  const engine::Color3B light = playerTint(player_->world->map(), *cell, player_->world->dayClock().darkness);
  for (DyableSprite* part : parts_) part->setColor(light);
  heldSprite_->setColor(light);
}

void PlayerSprite::showMarker(bool show, uint32_t id) {
  engine::Node* marker = animator_->getChildByTag(kMarkerTag);
  if (!show) {
    if (marker != nullptr) animator_->removeChild(marker);
    return;
  }
  const engine::Rect rect = art::uiSpriteRect(art::kPlayerMarkerSprite, id);
  if (auto* sprite = dynamic_cast<engine::Sprite*>(marker)) {
    sprite->setTextureRect(rect);
    return;
  }
  engine::Sprite* created = engine::Sprite::createWithTextureRect(gameTextures().textures[atlas::kInterface], rect);
  created->setPosition(engine::Vec2(4, 12));
  animator_->addChild(created, kMarkerZ, kMarkerTag);
  created->setScale(1.0f);
}

// ---- Hiding and showing ----

void PlayerSprite::hide() {
  if (animating_) {
    animator_->stopBody();
    poseForState();
    animating_ = false;
    if (!heldHasActions()) updateGear();
  }
  hideHeldItem();
  animator_->setVisible(false);
  if (carriesLight_) lowerLight();
}

void PlayerSprite::show() {
  MapBlock* cell = player_->currentMapBlock();
  if (cell != nullptr && player_->world != nullptr) {
    if (DebrisList* particles = effect::particlesOf(*player_->world)) {
      spawnTileDebris(*particles, kShowDebrisList, kShowDebrisCount, *cell, 0, false);
    }
  }
  poseForState();
  updateGear();
  animator_->setVisible(true);
  if (carriesLight_) raiseLight(player_->carriedLight);
}

void PlayerSprite::forgetPlayer() {
  heldLit_ = false;
  carriesLight_ = false;
}

PlayerSprite::~PlayerSprite() {
  engine::ActionManager* actions = animator_->getActionManager();
  actions->removeAllActionsFromTarget(heldSprite_);
  if (engine::Node* parent = animator_->getParent()) parent->removeChild(animator_);
  const bool lit = heldLit_ || carriesLight_;
  unregisterSprite(this);
  heldLit_ = false;
  carriesLight_ = false;
  if (lit) lowerLight();
}
