#include "tools/world_tool/world_tool_run.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "tools/font_maker/png_writer.h"
#include "tools/world_tool/world_picture.h"
#include "tools/world_tool/world_tool_args.h"

namespace world_tool {

namespace {

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

const char* defaultDataFile() { return RUBBLE_DATA_FILE; }

bool loadContent(const std::string& path, std::string& error) {
  setContentAlertHandler([](const std::string&, const std::string&) {});
  const uint32_t checksum = loadContentDatabase(path);
  if (!contentLoadError().empty() || checksum != storedContentChecksum()) {
    error = path + ": " + (contentLoadError().empty() ? std::string("checksum mismatch") : contentLoadError());
    return false;
  }
  return true;
}

const PlanetDef* findPlanetByName(const std::string& name) {
  for (const auto& planet : planetDefs()) {
    if (sameName(planet->name, name)) return planet.get();
  }
  return nullptr;
}

GeneratedWorld generatePlanetWorld(const PlanetDef& planet, uint8_t sizeIndex, uint32_t seed,
                                   const GeneratorProgress& progress) {
  engine::randomSeed(seed);
  WorldParams params;
  params.planetId = planet.id;
  params.sizeIndex = sizeIndex;
  GeneratedWorld world;
  world.map = std::make_unique<WorldMap>(nullptr, params);
  WorldGenerator generator(*world.map, progress);
  world.spawn = generateWorld(generator, params, kGenerationFlagWord);
  world.counts = generator.counts;
  return world;
}

int runGenerate(const GenerateArgs& args, std::FILE* out, std::FILE* err) {
  std::string error;
  if (!loadContent(defaultDataFile(), error)) {
    std::fprintf(err, "world_tool: %s\n", error.c_str());
    return 1;
  }
  const PlanetDef* planet = findPlanetByName(args.planet);
  if (planet == nullptr) {
    std::fprintf(err, "world_tool: no planet named %s; the planets are:", args.planet.c_str());
    for (const auto& p : planetDefs()) std::fprintf(err, " %s", p->name.c_str());
    std::fprintf(err, "\n");
    return 1;
  }
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  Clock::time_point last = start;
  std::string stage;
  auto finishStage = [&](Clock::time_point now) {
    if (!stage.empty()) {
      std::fprintf(out, "%-26s %8.1f ms\n", stage.c_str(), std::chrono::duration<double, std::milli>(now - last).count());
    }
    last = now;
  };
  GeneratedWorld world = generatePlanetWorld(*planet, args.sizeIndex, args.seed, [&](const char* text) {
    finishStage(Clock::now());
    stage = text;
  });
  finishStage(Clock::now());
  std::fprintf(out, "%s %dx%d seed %u: %.1f ms, spawn (%u, %u), liquid sources %u, settling steps %u, gave up %u\n",
               planet->name.c_str(), world.map->width(), world.map->height(), args.seed,
               std::chrono::duration<double, std::milli>(last - start).count(), world.spawn.column, world.spawn.row,
               world.counts.liquidSources, world.counts.liquidSteps, world.counts.totalGaveUp());
  if (!args.pngPath.empty()) {
    if (!fontmaker::writePng(args.pngPath, world.map->width(), world.map->height(), drawWorld(*world.map))) {
      std::fprintf(err, "world_tool: cannot write %s\n", args.pngPath.c_str());
      return 1;
    }
    std::fprintf(out, "picture: %s\n", args.pngPath.c_str());
  }
  return 0;
}

}  // namespace world_tool
