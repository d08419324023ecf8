#include "world/generator/planet_links.h"

#include "content/planets/planet_def.h"

std::vector<const PlanetDef*> planetDefsMatching(uint16_t mask) {
  std::vector<const PlanetDef*> planets;
  for (const auto& planet : planetDefs()) {
    if ((planet->id & mask) != 0) planets.push_back(planet.get());
  }
  return planets;
}
