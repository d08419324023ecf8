#pragma once
// Draws one 30x30 block frame from a block's look: solid blocks by their material family (drawn on
// a wrapping canvas, so a wall of one block shows no grid), other shapes (platforms, doors, poles,
// plants, lights, windows, furniture) as objects on a clear background in their family's ramp.
// A variant changes where the details fall, never the colours.

#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/canvas.h"

namespace artmaker {

inline constexpr int kTile = 30;

// Paints into a clear 30x30 canvas.
void paintBlock(Canvas& frame, const BlockLook& look, int variant);

// The solid material of a family filling the whole frame (used for solid blocks and by the
// objects that show a patch of their material).
void paintMaterial(Canvas& frame, Family family, const Ramp& ramp, Colour accent, uint32_t seed);

// An object block in one of its variants (a door's variant 1 is its open look).
void paintObject(Canvas& frame, const BlockLook& look, const Ramp& ramp, uint32_t seed, int variant);

}  // namespace artmaker
