#pragma once
// The local player's sprite. Its animator lives in the main layer's root node (z 20), above the
// whole world layer, while the player's position is a point of the world layer: `setPosition`
// carries the point through the world layer's offset (the camera) first. Every frame it follows
// the player's position and notices a change of the held item.
//
// Main thread only.

#include "view/player/player_sprite.h"

namespace engine {
class Node;
}

class PlayerSpriteLocal final : public PlayerSprite {
 public:
  // `camera` is the world layer (not owned; null: points are taken as they are).
  PlayerSpriteLocal(PlayerGraphical& player, const engine::Node* camera);

  bool isLocal() const override { return true; }
  void setPosition(engine::Vec2 point) override;
  void perFrame() override;

 protected:
  bool keepsAim() const override;

 private:
  const engine::Node* camera_;
};
