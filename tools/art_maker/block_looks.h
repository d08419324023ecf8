#pragma once
// The look of every block of the content set: its material family, its shape, its colours and
// whether it glows. Read from the content's block rows (ids, variant counts, solidity, light
// colour), the names of the items that place the blocks, and the rules in assets/art/blocks.json
// (family words, shape words, colour and material words, looks set by id).

#include <cstdint>
#include <string>
#include <vector>

#include "tools/art_maker/colour.h"
#include "tools/art_maker/palette.h"

namespace artmaker {

class ArtSources;

// Furrows: worked ground, a whole frame of soil in ridges and furrows laid over the block it tills.
// The last shapes are the parts the generators grow: a tree's root, lower trunk, trunk (where its
// branches start) and canopy, and the small growths (bushes, tufts, cave growths, cave floor objects
// with the decorations laid over them, and the waystones to other planets).
enum class BlockShape : uint8_t {
  Solid, Platform, Door, Pole, Plant, Light, Window, Furniture, Furrows,
  Root, LowerTrunk, Trunk, Canopy, Bush, Tuft, CaveGrowth, CaveObject, Waystone, Overlay,
};

// How a planet's plants grow: the form of its trees' crowns and of its small growths.
enum class Flora : uint8_t { Broadleaf, Conifer, Palm, Fungus, Crystal, Coral, Bare };

struct BlockLook {
  uint16_t id = 0;
  uint8_t variants = 1;
  Family family = Family::Stone;
  BlockShape shape = BlockShape::Solid;
  Colour base = 0;    // the family ramp is built around it
  Colour accent = 0;  // ore clusters, flowers, trims
  Colour glow = 0;    // light colour of a light-giving block, clear when it gives none
  Colour fruit = 0;   // the fruit a grown block bears, clear when it bears none
  Flora flora = Flora::Broadleaf;
  bool snow = false;  // a growth of a frozen planet carries snow on its tops
  std::string name;   // an item's name, or a generated or rule-placed block's own (see growth_names.h)
  bool generic = false;  // nothing named the block nor set its look: it took its neighbour's or its family's
  bool switched = false;  // a circuit or a hand turns it on: variant 0 is its off look, 1 its on look
};

// Every block row in id order; false with a message when a source is missing or malformed.
bool readBlockLooks(const ArtSources& sources, std::vector<BlockLook>& out, std::string& error);

// The 0xRRGGBBAA of "#RRGGBB"; clear when the text is not one.
Colour parseHexColour(const std::string& text);

}  // namespace artmaker
