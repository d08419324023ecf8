#pragma once
// The sprite of a player on another machine. Its animator sits in a container node of the main
// layer's world layer (z 21), and the container shifts by a world width when the player stands
// across the wrap seam from the local player, so that both are drawn side by side.
//
// It is placed from its player's position every frame (`perFrame`) and whenever the player's
// position arrives; the animator's own position, which already holds the body offset, is never
// handed back in (that would lift the body by the offset every frame).
//
// Main thread only.

#include "engine/base/ref_ptr.h"
#include "view/player/player_sprite.h"

namespace engine {
class InnerNode;
}

// Where a remote player's sprite goes: the point brought into [-15, W - 15) (W the world's width
// in pixels) and the container's offset, from the world's width and the window's visible columns
// in cells and the local player's column.
struct RemotePlacement {
  engine::Vec2 point;
  engine::Vec2 containerOffset;
};
RemotePlacement placeRemotePlayer(engine::Vec2 point, int32_t worldColumns, int32_t visibleColumns,
                                  int32_t localColumn);

class PlayerSpriteRemote final : public PlayerSprite {
 public:
  // The container joins `worldLayer` (may be null: a sprite not on screen).
  PlayerSpriteRemote(PlayerGraphical& player, engine::InnerNode* worldLayer);
  ~PlayerSpriteRemote() override;

  void setPosition(engine::Vec2 point) override;
  void show() override;
  void perFrame() override;

  engine::InnerNode* container() const { return container_; }

 private:
  engine::RefPtr<engine::InnerNode> container_;
};
