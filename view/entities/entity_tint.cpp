#include "view/entities/entity_tint.h"

#include <algorithm>

#include "world/cells/map_block.h"

namespace {

uint8_t channel(int sky, int nibble) { return static_cast<uint8_t>(std::max(sky, nibble) * 17); }

uint8_t dyed(uint8_t light, uint8_t dye) {
  return static_cast<uint8_t>(static_cast<float>(light) / 255.0f * static_cast<float>(dye));
}

}  // namespace

engine::Color3B entityTint(const MapBlock& cell, uint32_t darkness) {
  const int sky = std::max(0, static_cast<int>(cell.skyLevel()) - static_cast<int>(std::min<uint32_t>(darkness, 15)));
  const uint16_t light = cell.lightColour();
  return {channel(sky, light & 15), channel(sky, (light >> 4) & 15), channel(sky, (light >> 8) & 15)};
}

engine::Color3B dyedColour(const engine::Color3B& light, const engine::Color3B& dye) {
  return {dyed(light.r, dye.r), dyed(light.g, dye.g), dyed(light.b, dye.b)};
}
