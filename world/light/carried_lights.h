#pragma once
// The seam through which the light map asks the world view for the light a player carries
// (`PlayerSprite::carriedLightAt`): the brightest carried light of a player standing in a cell.
// The world view implements it and registers it while it exists; the null form answers 0, so
// headless worlds, tools and tests run without players' lights. Main thread only.

#include <cstdint>

#include "engine/base/seam.h"

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

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<CarriedLights, NullCarriedLights>& carriedLightsSeam();
CarriedLights& carriedLights();
void setCarriedLights(CarriedLights* lights);
