#pragma once
// The blocks the planets' generators place, each with the part it plays in a world: the ground
// (terrain, veins, biome layers), a part of a grown tree (root, lower trunk, trunk with its
// branches, canopy), a growth scattered on the surface (a bush bearing its fruit, a tuft of grass
// or flowers), a growth on a cave floor, an object left on a cave floor (a cache of relics, a
// hive, a waystone to another planet) or a decoration laid over such an object. Read from the planets' rule lists and the trees' growth rows, so a block a new rule places
// is known to the art maker without a list kept by hand.

#include <cstdint>
#include <map>
#include <string>

#include "content/planets/planet_def.h"

namespace artmaker {

class ArtSources;

enum class GrowthRole : uint8_t { Ground, Root, LowerTrunk, Trunk, Canopy, Bush, Tuft, CaveGrowth, CaveObject, Waystone, Overlay };

struct GeneratedBlock {
  GrowthRole role = GrowthRole::Ground;
  std::string planet;  // the first planet (in file order) that places it; a waystone's, the one it leads to
  int tree = -1;       // the growth row of a tree part
};

using GeneratedBlocks = std::map<uint16_t, GeneratedBlock>;

// The planets of the content set as the content compiler reads them; false with a message.
bool readPlanetList(const ArtSources& sources, PlanetList& out, std::string& error);

// Every generated block by id; false with a message when the planets cannot be read.
bool readGeneratedBlocks(const ArtSources& sources, GeneratedBlocks& out, std::string& error);

// A tree part, whose look follows its tree's shape.
bool isTreePart(GrowthRole role);

}  // namespace artmaker
