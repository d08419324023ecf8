#pragma once
// A generated world as a picture a person can read: one pixel per cell, the top row of the map at
// the top. Each block id has its own stable colour; water, lava and acid are plain blue, orange and
// green over whatever stands in the cell; a cell showing only its back layer is darker; the sky is
// pale blue; every cell is dimmed by its light level.

#include <cstdint>
#include <vector>

class WorldMap;
class MapBlock;

namespace world_tool {

// 0xRRGGBB of a block id (bedrock and air have fixed colours; the rest a hashed colour).
uint32_t blockColour(uint16_t id);
// 0xRRGGBB of one cell as drawn, light included.
uint32_t cellColour(const WorldMap& map, const MapBlock& cell);
// 0xRRGGBBAA pixels, row by row from the top row of the map.
std::vector<uint32_t> drawWorld(const WorldMap& map);

}  // namespace world_tool
