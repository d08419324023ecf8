#pragma once
// The full-screen tint of the player's surroundings: blue under water, red in lava, green in
// acid. It fades in over 0.1 s when the player enters, changes colour in place when the player
// passes from one to another, and fades out when the player leaves. A fade in that has begun is
// left to finish; the next call after it starts the fade-out.

#include <cstdint>

#include "engine/base/geometry.h"

namespace engine {
class InnerNode;
}

inline constexpr int kScreenTintTag = 2153;

// `state` is the player's environment state (0 none, 1 water, 2 lava, 3 acid); the tint is a
// child of `layer` covering `screen`.
void showScreenTint(engine::InnerNode& layer, engine::Size screen, uint8_t state);
