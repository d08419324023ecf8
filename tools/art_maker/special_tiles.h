#pragma once
// The block-atlas tiles that are not a material: the cave shade behind open caves, the shadow
// edges a solid neighbour casts (one variant per side: 0 up, 1 right, 2 down, 3 left), the marker
// over a struck tile, the two wires (variant = the sides it joins, the same bit order) and the
// display's digits 0-F.

#include <cstdint>

#include "tools/art_maker/canvas.h"

namespace artmaker {

// True when the id is drawn here rather than from its material.
bool isSpecialTile(uint16_t id);
// Paints the tile into a clear 30x30 canvas.
void paintSpecialTile(Canvas& frame, uint16_t id, int variant);

}  // namespace artmaker
