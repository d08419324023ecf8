#pragma once
// What the world tool does: load the built content, find a planet by name, generate a world of it
// from a seed on the calling thread, report each stage with its elapsed time, and save it as the
// game does; write a new character's file; read any save file back and report what it holds.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "world/generator/world_generator.h"
#include "world/world.h"

class PlanetDef;

namespace world_tool {

struct ToolArgs;

struct GeneratedWorld {
  std::unique_ptr<World> world;
  SpawnCell spawn;
  GenerationCounts counts;
};

// The data.dat of the build's data folder.
const char* defaultDataFile();
// Loads the content file into the process tables; false with `error` set when it is damaged.
bool loadContent(const std::string& path, std::string& error);
// The content file and the game's own tables beside it, installed as the launch installs them;
// false (the reason on `err`) when either is damaged.
bool loadGameData(std::FILE* err);
// The planet of that name in any case, or null.
const PlanetDef* findPlanetByName(const std::string& name);
// Seeds the calling thread's generator and generates a plain world of the planet, as a new game
// makes it.
GeneratedWorld generatePlanetWorld(const PlanetDef& planet, uint8_t sizeIndex, uint32_t seed,
                                   const GeneratorProgress& progress);
// Each command whole: 0 on success, 1 on failure (message on `err`).
int runGenerate(const ToolArgs& args, std::FILE* out, std::FILE* err);
int run(const ToolArgs& args, std::FILE* out, std::FILE* err);
// A picture of the map at the path; false (message on `err`) when it cannot be written.
bool writePicture(const std::string& path, const WorldMap& map, std::FILE* out, std::FILE* err);

}  // namespace world_tool
