#pragma once
// Names for the blocks the game's rules put in a world that neither an item nor a generator names:
// the genetic flower's stems, blooms and petal colours, the pieces of multi-part objects (the beds'
// parts), the drawn and tied states of curtains, the stacked pieces of shelves, the grown states
// of plants and the lit blasting charge. Taken from the game's own tables, so each is drawn as what
// it is instead of a generic look, and a new row there is known here without a list kept by hand.

#include <map>
#include <string>

namespace artmaker {

// Adds a name for every rule-placed block `names` lacks, made from the name of the block it
// belongs to (or the gene's own word).
void nameRulePlacedBlocks(std::map<int, std::string>& names);

}  // namespace artmaker
