// Generating whole worlds from the content set: the largest size (4096x512) on four planets (the
// home planet, a sea planet, a lava planet and the slowest of all) with the time of every stage
// (from one progress text to the next; "create" is making the empty map before the first) on the
// generating thread's own CPU clock, so that other work on a busy machine does not count, the
// total, the process's peak memory, the liquid sources and settling steps; the smallest size as a
// quick regression; every planet at the largest size, each planet's time and the slowest of them;
// and one hash of every cell of every planet's largest world from two seeds, to show that a faster
// generator still makes the same worlds.
// The content file is <build>/data/data.dat (run from the build folder) or RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/side_by_side.h"
#include "bench/support/thread_cpu_clock.h"
#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "engine/window/alert.h"
#include "world/generator/terrain_passes.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

bool contentLoaded() {
  static const bool loaded = [] {
    const char* path = std::getenv("RUBBLE_DATA_FILE");
    // A damaged file is this run's own answer, not an alert for anyone.
    static engine::SilentAlertBox silent;
    engine::setAlertBox(&silent);
    loadContentDatabase(path ? path : "data/data.dat");
    return contentLoadError().empty() && !planetDefs().empty();
  }();
  return loaded;
}

const PlanetDef* planetNamed(const char* name) {
  for (const auto& p : planetDefs()) {
    if (p->name == name) return p.get();
  }
  return nullptr;
}

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Short counter names for the stage texts.
const char* stageKey(const std::string& text) {
  static const std::pair<const char*, const char*> keys[] = {
      {"Generating noise map..", "noise"},  {"Placing bedrock..", "bedrock"},     {"Spawning veins..", "veins"},
      {"Spawning blocks..", "blocks"},      {"Spawning caves..", "caves"},        {"Spawning worm caves..", "worms"},
      {"Generating dungeons..", "dungeons"}, {"Dressing caves..", "dressing"},    {"Spawning treasures..", "treasures"},
      {"Generating surface..", "surface"},  {"Generating biomes..", "biomes"},    {"Generating prefabs..", "prefabs"},
      {"Dressing surface..", "dressing_surface"}, {"Computing lighting..", "light"}, {"Precomputing shadows..", "shadows"},
      {"create", "create"}};
  for (const auto& [t, k] : keys) {
    if (text == t) return k;
  }
  return "other";
}

void generateWorldOf(benchmark::State& state, const char* planetName, uint8_t sizeIndex) {
  if (!contentLoaded()) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  const PlanetDef* planet = planetNamed(planetName);
  if (planet == nullptr) {
    state.SkipWithError("planet missing from the content set");
    return;
  }
  std::vector<std::pair<std::string, double>> stages;
  GenerationCounts counts;
  uint32_t seed = 1;
  for (auto _ : state) {
    stages.clear();
    engine::randomSeed(seed++);
    WorldParams params;
    params.planetId = planet->id;
    params.sizeIndex = sizeIndex;
    double last = bench::threadCpuSeconds();
    auto map = std::make_unique<WorldMap>(nullptr, params);
    stages.emplace_back("create", (bench::threadCpuSeconds() - last) * 1000.0);
    last = bench::threadCpuSeconds();
    std::string current;
    WorldGenerator generator(*map, [&](const char* text) {
      const double now = bench::threadCpuSeconds();
      if (!current.empty()) stages.emplace_back(current, (now - last) * 1000.0);
      current = text;
      last = now;
    });
    benchmark::DoNotOptimize(generateWorld(generator, params, kGenerationFlagWord));
    stages.emplace_back(current, (bench::threadCpuSeconds() - last) * 1000.0);
    counts = generator.counts;
  }
  for (const auto& [text, ms] : stages) state.counters[std::string("ms_") + stageKey(text)] = ms;
  state.counters["peak_mb"] = peakMegabytes();
  state.counters["liquid_sources"] = counts.liquidSources;
  state.counters["settle_steps"] = counts.liquidSteps;
  state.counters["gave_up"] = counts.totalGaveUp();
  state.counters["tree_seeds"] = counts.treeSeeds;
}

void BM_GenerateLargest(benchmark::State& state, const char* planet) { generateWorldOf(state, planet, 4); }

// One largest world of the planet, the empty map's making included, in ms of the thread's own CPU.
double largestWorldCpuMs(uint32_t planetId) {
  engine::randomSeed(1);
  WorldParams params;
  params.planetId = planetId;
  params.sizeIndex = 4;
  const double start = bench::threadCpuSeconds();
  WorldMap map(nullptr, params);
  WorldGenerator generator(map, nullptr);
  benchmark::DoNotOptimize(generateWorld(generator, params, kGenerationFlagWord));
  return (bench::threadCpuSeconds() - start) * 1000.0;
}

// Every planet of the content set at the largest size on the generating thread's own CPU clock
// (one core, whatever else the machine runs): each planet's mean time (ms_<planet>), the slowest
// planet's time (named in the label) and the mean over all of them. The process's first world is timed apart: its map takes the first
// huge pages the process asks for, which the system may have to gather first.
void BM_GenerateLargestEveryPlanet(benchmark::State& state) {
  if (!contentLoaded()) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  const double first = largestWorldCpuMs(planetDefs().front()->id);
  double slowest = 0.0, total = 0.0;
  std::string slowestName;
  std::map<std::string, double> perPlanet;
  for (auto _ : state) {
    for (const auto& planet : planetDefs()) {
      const double ms = largestWorldCpuMs(planet->id);
      perPlanet[planet->name] += ms;
      total += ms;
      if (ms > slowest) {
        slowest = ms;
        slowestName = planet->name;
      }
    }
  }
  for (const auto& [name, ms] : perPlanet) state.counters["ms_" + name] = ms / static_cast<double>(state.iterations());
  state.counters["first_world_ms"] = first;
  state.counters["slowest_ms"] = slowest;
  state.counters["mean_ms"] = total / static_cast<double>(state.iterations() * planetDefs().size());
  state.counters["planets"] = static_cast<double>(planetDefs().size());
  state.SetLabel("slowest: " + slowestName);
}

void BM_GenerateSmallest(benchmark::State& state, const char* planet) { generateWorldOf(state, planet, 0); }

// A 64-bit FNV-style hash of the cells' bytes eight at a time (a cell is 24 bytes with no padding)
// and of the surface line, folded into `hash`.
uint64_t foldWorld(uint64_t hash, const WorldMap& map) {
  static_assert(sizeof(MapBlock) % sizeof(uint64_t) == 0, "cells are hashed a word at a time");
  const auto fold = [&hash](const void* bytes, size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i + sizeof(uint64_t) <= size; i += sizeof(uint64_t)) {
      uint64_t word = 0;
      std::memcpy(&word, p + i, sizeof word);
      hash = (hash ^ word) * 0x100000001B3ull;
    }
  };
  fold(map.cells(), map.cellCount() * sizeof(MapBlock));
  for (uint16_t line : map.surfaceLines()) hash = (hash ^ line) * 0x100000001B3ull;
  return hash;
}

// Every planet's largest world from seeds 1 and 2, made as the game makes it (trees included),
// folded into one hash shown in the label: equal labels before and after a change to the generator
// mean that not one cell of those worlds changed. Not a timing.
void BM_LargestWorldsHash(benchmark::State& state) {
  if (!contentLoaded()) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  uint64_t hash = 0xCBF29CE484222325ull;
  for (auto _ : state) {
    for (const auto& planet : planetDefs()) {
      for (uint32_t seed = 1; seed <= 2; ++seed) {
        engine::randomSeed(seed);
        WorldParams params;
        params.planetId = planet->id;
        params.sizeIndex = 4;
        std::unique_ptr<World> world = World::create(nullptr, params);
        world->generate(nullptr);
        hash = foldWorld(hash, world->map());
      }
    }
  }
  char label[32];
  std::snprintf(label, sizeof label, "cells %016llx", static_cast<unsigned long long>(hash));
  state.SetLabel(label);
  state.counters["worlds"] = static_cast<double>(planetDefs().size() * 2);
}

BENCHMARK_CAPTURE(BM_GenerateLargest, terra, "Terra")->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_GenerateLargest, thetis_sea, "Thetis")->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_GenerateLargest, magmar_lava, "Magmar")->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_GenerateLargest, nadir_slowest, "Nadir")->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_GenerateLargestEveryPlanet)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(BM_GenerateSmallest, terra, "Terra")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestWorldsHash)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
