#include "world/light/carried_lights.h"

engine::Seam<CarriedLights, NullCarriedLights>& carriedLightsSeam() {
  static engine::Seam<CarriedLights, NullCarriedLights> seam;
  return seam;
}
