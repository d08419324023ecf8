#pragma once
// The spawn eggs of the treasures atlas: one egg for every mob of the content, in the mob's own
// colours (its body with spots of its accent and a band of its belly), at the place
// item_atlas_layout.h gives the egg of that mob, so an egg shows what it hatches.

#include <string>
#include <vector>

#include "tools/art_maker/canvas.h"

namespace artmaker {

class ArtSources;

// Draws the eggs into the atlas and hands each back for the contact sheet; false (with the error)
// when the mob rows, their recipes or their names cannot be read.
bool drawSpawnEggs(const ArtSources& sources, Canvas& atlas, std::vector<Canvas>& eggs, std::string& error);

}  // namespace artmaker
