#pragma once
// The main layer's share of the player sprites: the local player's sprite while a world is shown,
// the sprites of the other players' copies that stand in it, and the two clocks they run on. Every frame, the frame's whole entity ticks step every sprite
// (`PlayerSprite::stepAll`: the player's own step, then 1/60 s of animation) and then each sprite
// follows its player (`PlayerSprite::tickAll`). The ticks are counted like the entity lists count
// theirs (16.5 ms a tick), so players and entities move at the same rate.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <vector>

#include "entities/core/tick_accumulator.h"

namespace engine {
class InnerNode;
class Node;
}  // namespace engine

class MapBlock;
class PlayerBase;
class PlayerSpriteLocal;
class PlayerSpriteRemote;
struct RunningWorld;

class PlayerSpriteLayer {
 public:
  static constexpr int kLocalZ = 20;

  PlayerSpriteLayer();
  ~PlayerSpriteLayer();
  PlayerSpriteLayer(const PlayerSpriteLayer&) = delete;
  PlayerSpriteLayer& operator=(const PlayerSpriteLayer&) = delete;

  // The running player's sprite in `root` at z 20, placed through `worldLayer`, in its cell's
  // light. The player then has a sprite to play actions on. Nothing without a player.
  void build(RunningWorld& running, engine::InnerNode& root, const engine::Node& worldLayer);
  // The frame's whole ticks (before the camera follows the player), then, once the camera is
  // placed, every sprite follows its player.
  void step(float dt);
  void follow();
  // Another player's copy stands in the shown world: its sprite joins `worldLayer` at the copy's
  // place, or, when it has one, is placed there again. A copy is known by its player id.
  void showRemote(PlayerBase& player, engine::InnerNode& worldLayer);
  // The copy is about to go: its sprite goes first. Nothing for a copy without one.
  void removeRemote(const PlayerBase& player);
  // The other player shown whose body covers the cell; null for none.
  PlayerBase* remoteOn(const MapBlock& cell) const;
  // The sprites go and their players have none. A local player or world that already ended is not
  // touched; the copies' owners take every copy's sprite away before the copy goes.
  void clear();
  PlayerSpriteLocal* local() const { return local_.get(); }

 private:
  // The copy's sprite; null when it has none.
  PlayerSpriteRemote* remote(const PlayerBase& player) const;

  std::unique_ptr<PlayerSpriteLocal> local_;
  RunningWorld* running_ = nullptr;
  // The player and world the sprite was built for, by id: a new one at an old address is another.
  uint32_t playerId_ = 0;
  uint32_t worldSerial_ = 0;
  TickAccumulator ticks_;
  struct Remote {
    uint32_t playerId;
    std::unique_ptr<PlayerSpriteRemote> sprite;
  };
  std::vector<Remote> remotes_;
};
