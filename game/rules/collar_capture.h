#pragma once
// A taming collar used on a mob: the mob under the point (in world pixels, the seam crossed the
// short way), within the collar's reach of the player, is captured as its item through the game
// (`GameInterface::captureMob`, which refuses pets and mobs that have no item, and uses up the
// collar a capture took). The main view calls it with the point under the pointer.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class GamePlayerActions;
class Player;

inline constexpr uint16_t kTamingCollar = 862;

// Whether a mob was captured.
bool captureWithCollar(Player& player, GamePlayerActions& game, engine::Vec2 point);
