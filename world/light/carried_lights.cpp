#include "world/light/carried_lights.h"

namespace {
NullCarriedLights nullLights;
CarriedLights* registered = &nullLights;
}  // namespace

CarriedLights& carriedLights() { return *registered; }

void setCarriedLights(CarriedLights* lights) { registered = lights != nullptr ? lights : &nullLights; }
