#include "world/light/cell_light_levels.h"

#include <algorithm>

#include "world/cells/map_block.h"

std::array<uint8_t, 3> cellLightLevels(const MapBlock& cell, uint32_t darkness) {
  const int sky = std::max(0, static_cast<int>(cell.skyLevel()) - static_cast<int>(std::min<uint32_t>(darkness, 15)));
  const uint16_t light = cell.lightColour();
  const auto level = [sky](int nibble) { return static_cast<uint8_t>(std::max(sky, nibble & 15)); };
  return {level(light), level(light >> 4), level(light >> 8)};
}
