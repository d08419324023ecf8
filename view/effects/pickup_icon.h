#pragma once
// The icon that flies from the player to the inventory corner when an item is picked up: an item
// icon on the HUD's icon batch, near the player's place on screen with a little random spread,
// appears after up to 0.1 s with the pick-up sound, then moves to the corner while it shrinks
// away over 0.5 s and is removed.
//
// Main thread only.

#include <cstdint>

namespace engine {
class SpriteBatchNode;
class Sprite;
}  // namespace engine

class CellSounds;

inline constexpr uint16_t kPickupSound = 4;

// `uiScale` is the interface scale (1 for none); `sounds` must outlive the icon (0.6 s at most).
// Returns the icon (owned by the batch), or null
// without a batch.
engine::Sprite* showItemPickupIcon(engine::SpriteBatchNode* iconBatch, uint16_t itemId, uint8_t variant,
                                   float uiScale, CellSounds& sounds);
