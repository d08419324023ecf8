#pragma once
// The light map's question about carried lights, answered from the player sprites: the brightest
// light a visible player standing in the cell carries. The application gives one to the worlds
// it plays (`WorldContext::carriedLights`) for the run. Main thread only.

#include "world/light/carried_lights.h"

class PlayerSpriteLights final : public CarriedLights {
 public:
  uint16_t carriedLightAt(const MapBlock& cell) const override;
};
