#include "world/light/carried_lights.h"

engine::Seam<CarriedLights, NullCarriedLights>& carriedLightsSeam() {
  static engine::Seam<CarriedLights, NullCarriedLights> seam;
  return seam;
}

CarriedLights& carriedLights() { return carriedLightsSeam().get(); }

void setCarriedLights(CarriedLights* lights) { carriedLightsSeam().set(lights); }
