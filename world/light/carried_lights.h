#pragma once
// What the light map asks the world view for the light a player carries
// (`PlayerSprite::carriedLightAt`): the brightest carried light of a player standing in a cell.
// A world reaches it through its context (`WorldContext::carriedLights`); a world without one
// answers the null form, 0, so headless worlds, tools and tests run without players' lights.
// Main thread only.

#include <cstdint>

class MapBlock;

class CarriedLights {
 public:
  virtual ~CarriedLights() = default;
  // The 12-bit colour of the brightest light carried by a player standing in the cell; 0 when none.
  virtual uint16_t carriedLightAt(const MapBlock& cell) const = 0;
};

class NullCarriedLights final : public CarriedLights {
 public:
  uint16_t carriedLightAt(const MapBlock&) const override { return 0; }
};
