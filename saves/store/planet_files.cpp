#include "saves/store/planet_files.h"

#include <algorithm>

#include "content/planets/planet_def.h"
#include "engine/base/path_utils.h"
#include "engine/base/string_utils.h"

std::string planetFileName(uint32_t planetId) {
  const PlanetList& planets = planetDefs();
  std::string name;
  auto found = std::find_if(planets.begin(), planets.end(),
                            [&](const auto& planet) { return planet->id == planetId; });
  if (found != planets.end()) {
    name = (*found)->name;
  } else if (!planets.empty()) {
    name = planets.front()->name;
  }
  name = engine::toLowerCase(name);
  std::replace_if(name.begin(), name.end(), [](char c) { return c == '/' || c == ':'; }, '_');
  return name + ".dat";
}

std::string planetFilePath(const std::string& adventureFileName, uint32_t planetId) {
  return engine::joinPath(engine::stripExtension(adventureFileName), planetFileName(planetId));
}
