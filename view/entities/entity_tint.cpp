#include "view/entities/entity_tint.h"

#include <algorithm>

#include "view/tiles/tile_light.h"

namespace {

uint8_t dyed(uint8_t light, uint8_t dye) {
  return static_cast<uint8_t>(static_cast<float>(light) / 255.0f * static_cast<float>(dye));
}

}  // namespace

engine::Color3B entityTint(const WorldMap& map, const MapBlock& cell, uint32_t darkness) {
  // The same light as the open air of the cells around it, so a body stands in the light of the
  // ground it is on, and a torch's fading light stays the torch's colour on it as on the ground.
  return tile_light::airColour(map, cell, darkness);
}

engine::Color3B playerTint(const WorldMap& map, const MapBlock& cell, uint32_t darkness) {
  const engine::Color3B light = entityTint(map, cell, darkness);
  const int floor = tile_light::shadeOf(kPlayerLightFloor);
  // Grey added alike to every channel: the light's hue stays (a channel raised on its own would
  // turn a dim orange red), only paler.
  const int lift = std::max(0, floor - std::max({int{light.r}, int{light.g}, int{light.b}}));
  auto raised = [lift](uint8_t c) { return static_cast<uint8_t>(c + lift); };
  return {raised(light.r), raised(light.g), raised(light.b)};
}

engine::Color3B dyedColour(const engine::Color3B& light, const engine::Color3B& dye) {
  return {dyed(light.r, dye.r), dyed(light.g, dye.g), dyed(light.b, dye.b)};
}
