#include "view/player/player_sprite_layer.h"

#include <algorithm>

#include "engine/scene/inner_node.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "view/player/player_sprite_local.h"
#include "view/player/player_sprite_remote.h"
#include "world/world.h"

namespace {
uint32_t worldSerialOf(const RunningWorld& running) {
  return running.world != nullptr ? running.world->serial() : 0;
}
}  // namespace

PlayerSpriteLayer::PlayerSpriteLayer() = default;

PlayerSpriteLayer::~PlayerSpriteLayer() { clear(); }

void PlayerSpriteLayer::build(RunningWorld& running, engine::InnerNode& root, const engine::Node& worldLayer) {
  clear();
  if (running.player == nullptr) return;
  PlayerDesktopLocal& player = *running.player;
  running_ = &running;
  playerId_ = player.playerId();
  worldSerial_ = worldSerialOf(running);
  local_ = std::make_unique<PlayerSpriteLocal>(player, &worldLayer);
  root.addChild(local_->animator(), kLocalZ);
  local_->setPosition(player.position);
  local_->updateColors();
  player.hasSprite = true;
  ticks_.reset();
}

void PlayerSpriteLayer::step(float dt) {
  const uint32_t ticks = ticks_.addFrame(dt);
  for (uint32_t i = 0; i < ticks; ++i) PlayerSprite::stepAll();
}

void PlayerSpriteLayer::follow() { PlayerSprite::tickAll(); }

void PlayerSpriteLayer::showRemote(PlayerBase& player, engine::InnerNode& worldLayer) {
  PlayerSpriteRemote* sprite = remote(player);
  if (sprite == nullptr) {
    remotes_.push_back({player.playerId(), std::make_unique<PlayerSpriteRemote>(player, &worldLayer)});
    sprite = remotes_.back().sprite.get();
    sprite->updateColors();
    player.hasSprite = true;
  }
  sprite->show();
}

void PlayerSpriteLayer::removeRemote(const PlayerBase& player) {
  const auto found = std::find_if(remotes_.begin(), remotes_.end(),
                                  [&](const Remote& r) { return r.playerId == player.playerId(); });
  if (found == remotes_.end()) return;
  found->sprite->player().hasSprite = false;
  remotes_.erase(found);
}

PlayerBase* PlayerSpriteLayer::remoteOn(const MapBlock& cell) const {
  for (const Remote& r : remotes_) {
    PlayerBase* other = r.sprite->player().withBody();
    if (other != nullptr && other->dead == 0 && other->occupiesCell(cell)) return other;
  }
  return nullptr;
}

PlayerSpriteRemote* PlayerSpriteLayer::remote(const PlayerBase& player) const {
  for (const Remote& r : remotes_) {
    if (r.playerId == player.playerId()) return r.sprite.get();
  }
  return nullptr;
}

void PlayerSpriteLayer::clear() {
  for (Remote& r : remotes_) r.sprite->player().hasSprite = false;
  remotes_.clear();
  if (local_ == nullptr) return;
  const bool alive = running_ != nullptr && running_->player != nullptr && running_->player->playerId() == playerId_ &&
                     worldSerialOf(*running_) == worldSerial_;
  if (alive) {
    local_->player().hasSprite = false;
  } else {
    local_->forgetPlayer();
  }
  local_.reset();
  running_ = nullptr;
  playerId_ = 0;
  worldSerial_ = 0;
}
