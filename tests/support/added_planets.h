#pragma once
// Planets a test adds to the process-wide list one at a time, where the game installs the whole
// list a load read (`installPlanetDefs`).

#include <cstdint>
#include <memory>
#include <string>

#include "content/planets/planet_def.h"

namespace testsupport {

inline PlanetDef& addPlanetDef(const std::string& name, uint32_t id, uint8_t flag) {
  planetDefs().push_back(std::make_unique<PlanetDef>(name, id, flag));
  return *planetDefs().back();
}

}  // namespace testsupport
