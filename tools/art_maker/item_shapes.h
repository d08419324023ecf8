#pragma once
// The silhouettes items are drawn from, by shape name ("pickaxe", "potion", "fish", ...). Each
// shape paints regions on a RegionGrid in the 16-unit space: 'M' the item's material, 'H' a wooden
// handle, 'A' an accent (bindings, corks, bands), 'L' the item's tint (liquids, paint, flames),
// 'D' the tint a step darker, 'S' glass, 'G' a glint, 'E' eyes and holes, 'W' bone and paper,
// 'V' leaf green, 'R' rock around an ore.

#include <string>
#include <vector>

#include "tools/art_maker/region_grid.h"

namespace artmaker {

// Paints the shape; false for a name no shape has.
bool drawItemShape(const std::string& shape, RegionGrid& grid);

// Every shape name, for checks and the contact sheet.
const std::vector<std::string>& itemShapeNames();

}  // namespace artmaker
