#pragma once
// Where each frame of the tile-effects atlas (tile-effects.png) sits: the cracks that show how far
// a struck block is broken, the highlight over the block under the cursor, the marker over a tile
// and the four frames of a light glint. 32-px cells with a 1-px border around a 30x30 frame, like
// the block atlas. The art maker draws at these places and the world view reads them.

#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

enum class TileEffect : uint8_t { Crack, Highlight, Marker, Glint };

inline constexpr int kTileEffectsAtlasWidth = 256;
inline constexpr int kTileEffectsAtlasHeight = 64;
inline constexpr int kCrackStages = 8;
inline constexpr int kGlintFrames = 4;

// The number of frames of an effect (cracks: one per stage, first the faintest).
int tileEffectFrames(TileEffect effect);
// The 30x30 frame of an effect; the frame is clamped to the effect's frames.
engine::Rect tileEffectRect(TileEffect effect, int frame);

}  // namespace art
