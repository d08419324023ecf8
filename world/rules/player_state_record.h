#pragma once
// The record that keeps the other peers' copies of a player in step: which key or push changed
// the player's motion, and where and how fast it was then. The player's body writes it; a
// networked game sends it (`Game::sendPlayerState`) and the other side's copy replays it.

#include <cstdint>

struct PlayerStateRecord {
  static constexpr uint8_t kUp = 0, kRight = 1, kDown = 2, kLeft = 3, kJump = 11, kDrop = 13,
                           kHeldJump = 14, kPush = 255;
  static constexpr uint8_t kPressed = 0, kReleased = 1, kPushPhase = 2;
  uint8_t code = 0;
  uint8_t phase = 0;
  float x = 0, y = 0, vx = 0, vy = 0, ax = 0, ay = 0;
};
