#pragma once
// The back walls of caves (content/art/block_atlas_layout.h): for every planet and band of depth,
// the planet's own ground at that depth (its terrain blocks in order, soil above rock) pushed far
// into the shade, so a cave on one planet does not look like a cave on another, and deep caves not
// like shallow ones.

#include <string>
#include <vector>

#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/canvas.h"

namespace artmaker {

class ArtSources;

struct WallFrame {
  int x = 0, y = 0;  // the frame's corner in the block atlas
  Canvas frame;
};

// Every wall frame at its place; false with a message when the planets cannot be read or a block's
// frames would fall on the walls' cells.
bool drawCaveWalls(const ArtSources& sources, const std::vector<BlockLook>& looks, std::vector<WallFrame>& out,
                   std::string& error);

}  // namespace artmaker
