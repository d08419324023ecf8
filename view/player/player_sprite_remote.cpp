#include "view/player/player_sprite_remote.h"

#include "engine/scene/inner_node.h"
#include "game/player/player_graphical.h"
#include "view/tiles/tile_sprites.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCell = 30.0f;
constexpr float kHalfCell = 15.0f;
constexpr int kContainerZ = 21;

}  // namespace

RemotePlacement placeRemotePlayer(engine::Vec2 point, int32_t worldColumns, int32_t visibleColumns,
                                  int32_t localColumn) {
  const float w = static_cast<float>(worldColumns) * kCell;
  const float n = static_cast<float>(visibleColumns) * kCell;
  RemotePlacement out{point, {0, 0}};
  if (worldColumns <= 0) return out;
  if (out.point.x >= w - kHalfCell) out.point.x -= w;
  if (out.point.x < -kHalfCell) out.point.x += w;
  if (localColumn < visibleColumns && out.point.x > w - n) {
    out.containerOffset = engine::Vec2(-w, 0);
  } else if (localColumn > worldColumns - visibleColumns && out.point.x < n) {
    out.containerOffset = engine::Vec2(w, 0);
  }
  return out;
}

PlayerSpriteRemote::PlayerSpriteRemote(PlayerGraphical& player, engine::InnerNode* worldLayer)
    : PlayerSprite(player), container_(engine::InnerNode::create()) {
  container_->addChild(animator(), 0);
  if (worldLayer != nullptr) worldLayer->addChild(container_, kContainerZ);
}

PlayerSpriteRemote::~PlayerSpriteRemote() {
  container_->removeChild(animator());
  if (engine::Node* parent = container_->getParent()) parent->removeChild(container_);
}

void PlayerSpriteRemote::setPosition(engine::Vec2 point) {
  const TileSprites* window = TileSprites::current();
  const World* world = player().world;
  const int32_t columns = world != nullptr ? world->map().width() : 0;
  const int32_t visible = window != nullptr ? window->columns() : 0;
  const int32_t local = window != nullptr ? window->centreX() : 0;
  const RemotePlacement placed = placeRemotePlayer(point, columns, visible, local);
  container_->setPosition(placed.containerOffset);
  PlayerSprite::setPosition(placed.point);
}

void PlayerSpriteRemote::show() {
  setPosition(player().position);
  PlayerSprite::show();
}

void PlayerSpriteRemote::perFrame() {
  if (heldNow() != shown_) refreshGear();
  setPosition(player().position);
}
