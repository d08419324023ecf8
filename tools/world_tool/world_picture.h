#pragma once
// A generated world as a picture a person can read: one pixel per cell, the top row of the map at
// the top. Each block has the colour the game draws it in: the mean colour of its frame in the block
// atlas (rocks.png), or, without the atlas, a stable colour of its own id. Water, lava and acid are
// plain blue, orange and green over whatever stands in the cell; a cell showing only its back layer
// is darker; the sky is pale blue; every cell is dimmed by its light level.

#include <cstdint>
#include <string>
#include <vector>

class WorldMap;
class MapBlock;

namespace world_tool {

// 0xRRGGBB of a block id without its art (bedrock and air have fixed colours; the rest a hashed colour).
uint32_t blockColour(uint16_t id);

// The colour of every block as the game draws it: the mean of its first frame in the block atlas,
// weighted by alpha. A block whose frame is blank or missing keeps blockColour.
class BlockColours {
 public:
  BlockColours();
  // Reads the block atlas; false (and the colours stay as they were) when it cannot be read.
  bool loadAtlas(const std::string& rocksPath);
  // Takes the colours from atlas pixels (8-bit RGBA rows from the top).
  void setFromAtlas(const unsigned char* rgba, int width, int height);
  uint32_t colour(uint16_t id) const;

 private:
  std::vector<uint32_t> colours_;
};

// 0xRRGGBB of one cell as drawn, light included.
uint32_t cellColour(const WorldMap& map, const MapBlock& cell, const BlockColours& colours);
// 0xRRGGBBAA pixels, row by row from the top row of the map.
std::vector<uint32_t> drawWorld(const WorldMap& map, const BlockColours& colours = BlockColours());

}  // namespace world_tool
