#pragma once
// The motion of a held item through one swing, as engine actions on the held sprite. Each built
// motion is followed by its reverse, so the item ends where it started; then `end` runs (the sprite
// shows or hides the item again) and, when given, `restore` (an aimed item back to its rest angle).
//
// Every turn passes through fixed angles only (stepped_turn.h). Kinds, with h half the swing's
// time, a the swing angle and o the offset:
//   0: an eased turn by a over h together with a move by o;
//   1: the eased turn over h/2, then the move over h/2;
//   2: an eased wind-up by -20 over h/5, then the turn by a + 20 together with the move, over h/2;
//   3: as 2 with the turn and the move one after the other;
//   4, 5: a thrust: a move over h/2 by o turned by (90 - the item's rotation) degrees.
// Later kinds swing as kind 0. An item without a swing record is a quick jab with two mirrors.

#include <cstdint>
#include <functional>

#include "engine/base/geometry.h"

namespace engine {
class FiniteTimeAction;
}

struct SwingMotion {
  uint8_t kind = 0;
  float halfTime = 0.0f;
  float angle = 0.0f;
  engine::Vec2 offset{0, 0};
  float rotation = 0.0f;  // the held item's rotation when the swing starts, degrees
};

// Autoreleased. `mirror` negates the held item's horizontal scale (the jab without a record).
engine::FiniteTimeAction* makeSwingAction(bool hasRecord, const SwingMotion& motion,
                                          const std::function<void()>& mirror, const std::function<void()>& end,
                                          const std::function<void()>& restore);
