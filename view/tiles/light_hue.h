#pragma once
// The hue a cell's block light had at its source. The light map takes the same number of levels
// off every channel per step, so a warm light's weaker channels run out first: drawn channel by
// channel, a torch's light would turn a saturated red at its edge. The drawing keeps the source's
// hue instead and only darkens it; the hue is found by following the light uphill, cell by cell
// towards the brighter neighbour, to where it is brightest.

#include <array>
#include <cstdint>

class MapBlock;
class WorldMap;

namespace light_hue {

using Levels = std::array<int, 3>;

// The cell's block-light levels (red, green, blue; 0-15).
Levels levelsOf(const MapBlock& cell);
// The levels raised together until the brightest is 15; a channel at 0 stays 0 (nothing of it is
// left to tell how much there was). All 0 without light.
Levels raised(const Levels& levels);
// The hue of the light in the cell at (x, y), raised as above: the levels of the brightest cell
// reached by stepping to the brightest of the four neighbours while it is brighter (x wraps), at
// most 15 steps.
Levels sourceHue(const WorldMap& map, int32_t x, int32_t y);

}  // namespace light_hue
