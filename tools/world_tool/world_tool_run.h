#pragma once
// What the world tool does: load the built content, find a planet by name, generate a world of it
// from a seed on the calling thread, and report each stage with its elapsed time.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "world/generator/world_generator.h"
#include "world/map/world_map.h"

class PlanetDef;

namespace world_tool {

struct GenerateArgs;

struct GeneratedWorld {
  std::unique_ptr<WorldMap> map;
  SpawnCell spawn;
  GenerationCounts counts;
};

// The data.dat of the build's data folder.
const char* defaultDataFile();
// Loads the content file into the process tables; false with `error` set when it is damaged.
bool loadContent(const std::string& path, std::string& error);
// The planet of that name in any case, or null.
const PlanetDef* findPlanetByName(const std::string& name);
// Seeds the calling thread's generator and generates a plain world of the planet.
GeneratedWorld generatePlanetWorld(const PlanetDef& planet, uint8_t sizeIndex, uint32_t seed,
                                   const GeneratorProgress& progress);
// The whole command: 0 on success, 1 on failure (message on `err`).
int runGenerate(const GenerateArgs& args, std::FILE* out, std::FILE* err);

}  // namespace world_tool
