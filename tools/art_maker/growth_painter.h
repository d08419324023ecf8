#pragma once
// Draws the parts the generators grow: tree parts (tree_painter.cpp) and the small growths (a bush
// with its fruit, a tuft of grass, flowers, grain, kelp or mushrooms, a cave growth, an object on a
// cave floor), in their planet's form, with a selective outline where a shape meets nothing.

#include "tools/art_maker/art_random.h"
#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/canvas.h"

namespace artmaker {

bool isGrowthShape(BlockShape shape);
// Paints into a clear 30x30 canvas.
void paintGrowth(Canvas& frame, const BlockLook& look, int variant, uint32_t seed);
// A tree part (root, lower trunk, trunk, canopy) onto a clear canvas, without its outline.
void paintTreePart(Canvas& shape, const BlockLook& look, int variant, ArtRandom& rnd);

}  // namespace artmaker
