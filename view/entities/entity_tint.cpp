#include "view/entities/entity_tint.h"

#include <array>

#include "world/light/cell_light_levels.h"

namespace {

uint8_t dyed(uint8_t light, uint8_t dye) {
  return static_cast<uint8_t>(static_cast<float>(light) / 255.0f * static_cast<float>(dye));
}

}  // namespace

engine::Color3B entityTint(const MapBlock& cell, uint32_t darkness) {
  const std::array<uint8_t, 3> levels = cellLightLevels(cell, darkness);
  return {static_cast<uint8_t>(levels[0] * 17), static_cast<uint8_t>(levels[1] * 17), static_cast<uint8_t>(levels[2] * 17)};
}

engine::Color3B dyedColour(const engine::Color3B& light, const engine::Color3B& dye) {
  return {dyed(light.r, dye.r), dyed(light.g, dye.g), dyed(light.b, dye.b)};
}
