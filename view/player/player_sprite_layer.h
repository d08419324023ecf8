#pragma once
// The main layer's share of the player sprites: the local player's sprite while a world is shown,
// and the two clocks they run on. Every frame, the frame's whole entity ticks step every sprite
// (`PlayerSprite::stepAll`: the player's own step, then 1/60 s of animation) and then each sprite
// follows its player (`PlayerSprite::tickAll`). The ticks are counted like the entity lists count
// theirs (16.5 ms a tick), so players and entities move at the same rate.
//
// Main thread only.

#include <cstdint>
#include <memory>

#include "entities/core/tick_accumulator.h"

namespace engine {
class InnerNode;
class Node;
}  // namespace engine

class PlayerSpriteLocal;
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
  // The sprite goes and its player has none. A player or world that already ended is not touched.
  void clear();
  PlayerSpriteLocal* local() const { return local_.get(); }

 private:
  std::unique_ptr<PlayerSpriteLocal> local_;
  RunningWorld* running_ = nullptr;
  // The player and world the sprite was built for, by id: a new one at an old address is another.
  uint32_t playerId_ = 0;
  uint32_t worldSerial_ = 0;
  TickAccumulator ticks_;
};
