#pragma once
// The "planets" blob of "data.dat": planet records laid out with natural alignment. Reading
// and writing share one description of the layout (planet_blob.cpp), so they cannot drift.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "content/planets/planet_def.h"

namespace content {

// Parses `count` planets from the blob. False when the blob is shorter than its records need
// (then `out` holds what was read before the damage).
bool readPlanetBlob(std::span<const uint8_t> blob, size_t count, PlanetList& out);

std::vector<uint8_t> writePlanetBlob(const std::vector<const PlanetDef*>& planets);

}  // namespace content
