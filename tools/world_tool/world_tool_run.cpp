#include "tools/world_tool/world_tool_run.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "content/loader/content_database.h"
#include "content/loader/game_tables_loader.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "engine/window/alert.h"
#include "game/launch/game_launch_services.h"
#include "tools/png_writer/png_writer.h"
#include "tools/world_tool/host_game.h"
#include "tools/world_tool/join_game.h"
#include "tools/world_tool/play_game.h"
#include "tools/world_tool/world_picture.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_saves.h"
#include "world/map/world_map.h"

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
  // A damaged file is this run's own answer, not an alert for anyone.
  static engine::SilentAlertBox silent;
  engine::setAlertBox(&silent);
  const uint32_t checksum = loadContentDatabase(path);
  if (!contentLoadError().empty() || checksum != storedContentChecksum()) {
    error = path + ": " + (contentLoadError().empty() ? std::string("checksum mismatch") : contentLoadError());
    return false;
  }
  return true;
}

bool loadGameData(std::FILE* err) {
  std::string error;
  if (!loadContent(defaultDataFile(), error)) {
    std::fprintf(err, "world_tool: %s\n", error.c_str());
    return false;
  }
  // The game's own tables (difficulty rows, the craft book) beside the content file.
  const std::string dataFile = defaultDataFile();
  const std::string tablesFile = dataFile.substr(0, dataFile.size() - std::string("data.dat").size()) + "tables.dat";
  if (!loadGameTables(tablesFile)) {
    std::fprintf(err, "world_tool: %s: %s\n", tablesFile.c_str(), gameTablesLoadError().c_str());
    return false;
  }
  GameLaunchServices().installGameTables();
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
  world.world = World::create(nullptr, params);
  world.spawn = world.world->generate(progress);
  world.counts = world.world->generationCounts();
  return world;
}

int runGenerate(const ToolArgs& args, std::FILE* out, std::FILE* err) {
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
  const WorldMap& map = world.world->map();
  std::fprintf(out, "%s %dx%d seed %u: %.1f ms, spawn (%u, %u), liquid sources %u, settling steps %u, gave up %u\n",
               planet->name.c_str(), map.width(), map.height(), args.seed,
               std::chrono::duration<double, std::milli>(last - start).count(), world.spawn.column, world.spawn.row,
               world.counts.liquidSources, world.counts.liquidSteps, world.counts.totalGaveUp());
  if (!args.pngPath.empty() && !writePicture(args.pngPath, map, out, err)) return 1;
  if (!args.savePath.empty() && !saveGeneratedWorld(args.savePath, world, out, err)) return 1;
  return 0;
}

bool writePicture(const std::string& path, const WorldMap& map, std::FILE* out, std::FILE* err) {
  // Blocks take the colours of their art when the data folder has the block atlas.
  const std::string dataFile = defaultDataFile();
  BlockColours colours;
  colours.loadAtlas(dataFile.substr(0, dataFile.size() - std::string("data.dat").size()) + "gfx/rocks.png");
  if (!toolpng::writePng(path, map.width(), map.height(), drawWorld(map, colours))) {
    std::fprintf(err, "world_tool: cannot write %s\n", path.c_str());
    return false;
  }
  std::fprintf(out, "picture: %s\n", path.c_str());
  return true;
}

int run(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  switch (args.command) {
    case Command::Generate: return runGenerate(args, out, err);
    case Command::Character: return runCharacter(args, out, err);
    case Command::Load: return runLoad(args, out, err);
    case Command::Play: return runPlay(args, out, err);
    case Command::Host: return runHost(args, out, err);
    case Command::Join: return runJoin(args, out, err);
    case Command::Help:
      std::fprintf(out, "%s\n", usage());
      return 0;
  }
  return 1;
}

}  // namespace world_tool
