#include "view/entities/entity_tint.h"

#include <algorithm>
#include <array>

#include "view/tiles/tile_light.h"
#include "world/light/cell_light_levels.h"

namespace {

uint8_t dyed(uint8_t light, uint8_t dye) {
  return static_cast<uint8_t>(static_cast<float>(light) / 255.0f * static_cast<float>(dye));
}

}  // namespace

engine::Color3B entityTint(const MapBlock& cell, uint32_t darkness) {
  const std::array<uint8_t, 3> levels = cellLightLevels(cell, darkness);
  // The same shade as the cells around it, so a body stands in the light of the ground it is on.
  return {tile_light::shadeOf(levels[0]), tile_light::shadeOf(levels[1]), tile_light::shadeOf(levels[2])};
}

engine::Color3B playerTint(const MapBlock& cell, uint32_t darkness) {
  const engine::Color3B light = entityTint(cell, darkness);
  const uint8_t floor = tile_light::shadeOf(kPlayerLightFloor);
  return {std::max(light.r, floor), std::max(light.g, floor), std::max(light.b, floor)};
}

engine::Color3B dyedColour(const engine::Color3B& light, const engine::Color3B& dye) {
  return {dyed(light.r, dye.r), dyed(light.g, dye.g), dyed(light.b, dye.b)};
}
