#pragma once
// Keeps the solid blocks apart: a block whose frame would stand close to an earlier block's (two
// soils a shade apart, two ores of grey metals) turns its colour toward one of its own until it
// reads as its own block, in the world and in the icon that shows a window into it.

#include <vector>

#include "tools/art_maker/block_looks.h"

namespace artmaker {

// Turns the looks in id order; earlier blocks keep theirs.
void partLookAlikeBlocks(std::vector<BlockLook>& looks);

}  // namespace artmaker
