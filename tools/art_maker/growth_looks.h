#pragma once
// The looks of the parts the generators grow (tree parts, bushes, tufts, cave growths and cave
// floor objects), from the part each block plays, its planet's flora in assets/art/blocks.json
// ("flora": form, canopy, bark and bloom colours, snow), the form a kind of wood grows in
// ("woodForms": "pine" grows as a conifer) and the colour of the fruit it bears ("fruits").

#include <string>
#include <vector>

#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/generated_blocks.h"

namespace artmaker {

class ArtSources;

// Gives each generated block that is not ground its growing shape, form and colours; false with a
// message when the flora recipe is malformed or names an unknown form.
bool applyGrowthLooks(const ArtSources& sources, const GeneratedBlocks& generated, std::vector<BlockLook>& looks,
                      std::string& error);

}  // namespace artmaker
