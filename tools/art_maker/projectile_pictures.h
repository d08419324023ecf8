#pragma once
// The projectiles' pictures in the particle atlas, one for each row of the bullet table, at the
// row's rectangle (and its stuck rectangle for a row that sticks): what a player sees in flight
// is what she threw or shot, or what the mob spat at her.

#include <string>

#include "tools/art_maker/canvas.h"

namespace artmaker {

class ArtSources;

// Draws every row's picture into the atlas. False, with the reason, when a table cannot be read
// or a row's rectangle leaves the atlas or reaches into the particles above it.
bool drawProjectiles(const ArtSources& sources, Canvas& atlas, Canvas& sheet, std::string& error);

}  // namespace artmaker
