#include "content/planets/planet_def.h"

namespace {

PlanetList& planets() {
  static PlanetList list;
  return list;
}

}  // namespace

PlanetDef::PlanetDef(std::string planetName, uint32_t planetId, uint8_t planetFlag)
    : name(std::move(planetName)), id(planetId), flag(planetFlag) {}

PlanetList& planetDefs() { return planets(); }

void installPlanetDefs(PlanetList loaded) { planets() = std::move(loaded); }

void resetPlanetDefs() { planets().clear(); }
