#pragma once
// Names for the blocks the generators place that no item names, so their looks can be chosen by
// the same words as every other block: the name the art recipe gives the block, else a bush's
// fruit ("Apple Bush"), else what the block drops when broken ("Oak Log", "Sunpetal", "Dirt").
// A generated block with none of these cannot be drawn as what it is, and is refused.

#include <cstdint>
#include <map>
#include <string>

#include "tools/art_maker/generated_blocks.h"

namespace artmaker {

class ArtSources;

// Adds a name for every generated block `names` lacks; false naming the first block it cannot name.
bool nameGeneratedBlocks(const ArtSources& sources, const GeneratedBlocks& generated,
                         std::map<int, std::string>& names, std::string& error);

}  // namespace artmaker
