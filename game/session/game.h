#pragma once
// The game in progress: one virtual operation per player action (declared by `GameInterface` in
// the world model). `Game` holds what every kind shares: whether the world has been entered and
// has settled, whether the player sleeps, and the borrowed world, local player and difficulty.
// `GameLocal` (game_local.h) runs each action through the rules of a game played alone; the
// hosting and joined kinds come with multiplayer.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "world/rules/game.h"

class Player;
class World;
struct DifficultyRow;

class GameReal : public GameInterface {};

class Game : public GameReal {
 public:
  static constexpr uint8_t kItemDropKind = 7;

  // Playing alone: the session kinds 1 (hosting) and 2 (joined) come with multiplayer.
  uint8_t sessionKind() override { return 0; }
  bool worldIsCreative() override;

  // Before the world of a game is wrapped by the player's position, across the seam.
  engine::Vec2 wrappedPlayerPosition();

  bool started = false;
  bool settled = true;
  bool sleeping = false;
  World* world = nullptr;
  Player* player = nullptr;
  const DifficultyRow* difficulty = nullptr;
};
