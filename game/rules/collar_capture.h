#pragma once
// A taming collar used on a mob: the mob under the point (in world pixels, the seam crossed the
// short way) is captured as its item through the game (`GameInterface::captureMob`: the capture
// rule, `LocalLogic::captureMob`, on this machine or on the host, refuses a hand without a collar,
// a mob beyond the collar's reach, pets and mobs that have no item, and uses up the collar a
// capture took). The main view calls it with the point under the pointer.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class GamePlayerActions;
class Item;
class Player;

inline constexpr uint16_t kTamingCollar = 862;

// Only a taming collar catches a mob.
bool isTamingCollar(const Item* held);

// Whether a mob was captured.
bool captureWithCollar(Player& player, GamePlayerActions& game, engine::Vec2 point);
