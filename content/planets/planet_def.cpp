#include "content/planets/planet_def.h"

namespace {

struct PlanetState {
  PlanetList planets;
  PlanetDef* loading = nullptr;
};

PlanetState& state() {
  static PlanetState s;
  return s;
}

}  // namespace

PlanetDef::PlanetDef(std::string planetName, uint32_t planetId, uint8_t planetFlag)
    : name(std::move(planetName)), id(planetId), flag(planetFlag) {}

PlanetList& planetDefs() { return state().planets; }

PlanetDef& addPlanetDef(const std::string& name, uint32_t id, uint8_t flag) {
  auto& s = state();
  s.planets.push_back(std::make_unique<PlanetDef>(name, id, flag));
  s.loading = s.planets.back().get();
  return *s.loading;
}

PlanetDef* planetBeingLoaded() { return state().loading; }

void installPlanetDefs(PlanetList planets) {
  auto& s = state();
  s.planets = std::move(planets);
  s.loading = s.planets.empty() ? nullptr : s.planets.back().get();
}

void resetPlanetDefs() {
  auto& s = state();
  s.planets.clear();
  s.loading = nullptr;
}
