#include "ui/views/map_picture.h"

#include <algorithm>

#include "world/cells/map_block.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"

namespace {

const uint8_t* colourOf(const MapBlock& cell) {
  if (cell.liquidKind() != LiquidKind::None) return kMapLiquid;
  if (cell.frontId() != 0) return kMapSolid;
  if (block_word::id(cell.back) != 0) return kMapBack;
  return kMapOpen;
}

}  // namespace

std::vector<uint8_t> mapPicture(const WorldMap& map, int32_t playerX, int32_t playerY) {
  const int32_t width = map.width();
  const int32_t height = map.height();
  if (width <= 0 || height <= 0) return {};
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  const ExploredBitmap* explored = map.explored();
  for (int32_t y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width);
    for (int32_t x = 0; x < width; ++x) {
      const MapBlock* cell = map.cellAt(x, y);
      const bool seen = cell != nullptr && (explored == nullptr || explored->isExplored(x, y));
      const uint8_t* colour = seen ? colourOf(*cell) : kMapUnexplored;
      if (x == playerX && y == playerY) colour = kMapPlayer;
      std::copy(colour, colour + 4, pixels.begin() + static_cast<std::ptrdiff_t>((row + static_cast<size_t>(x)) * 4));
    }
  }
  return pixels;
}
