#pragma once
// The world generator: fills a new, empty map with the terrain, minerals, caves, liquids, plants and
// structures of its planet, stage by stage, reporting each stage's text, and chooses the spawn cell.
//
// Threads: the generator runs on the world-load thread and touches only its own map (cells, light
// map, liquid simulator) and, through the hooks, what the world that owns the map hands it. It
// sends nothing to peers and walks no entity or player list. Progress texts go to the callback on
// the generating thread; the caller passes them on to the main thread.
//
// A generation can be stopped from another thread through the flag it was handed: every stage
// report and every column (or placement) of the long passes checks it, and a stop ends the
// generation there by throwing `GenerationStopped`, leaving the map half made.
//
// Every search that draws cells until one qualifies is bounded. A search that gives up is counted
// per kind, so the content (and its tests) can show that no rule of a planet ever gave up.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class BlockPropsTable;
class MapBlock;
class PlanetDef;
class WorldMap;
struct WorldParams;

// Receives each stage's text ("Generating noise map.." and the rest) before the stage runs.
using GeneratorProgress = std::function<void(const char* text)>;

// Thrown by `WorldGenerator::checkStop` once a stop was asked; `World::generate` catches it.
struct GenerationStopped {};

struct SpawnCell {
  uint16_t column = 0;
  uint16_t row = 0;
};

// The bounded searches, for the give-up counts.
enum class RetryKind : uint8_t {
  Run,
  Vein,
  ScatteredBlock,
  SurfaceObject,
  Cave,
  Pocket,
  Spawn,
};
constexpr int kRetryKindCount = 7;

struct GenerationCounts {
  std::array<uint32_t, kRetryKindCount> gaveUp{};
  uint32_t liquidSteps = 0;     // settling steps of the liquid simulator
  uint32_t liquidSources = 0;   // cells made liquid sources by the sea and the pools
  uint32_t treeSeeds = 0;
  uint32_t totalGaveUp() const {
    uint32_t sum = 0;
    for (uint32_t n : gaveUp) sum += n;
    return sum;
  }
};

// What the world that owns the map lends the generator: the tree growth process and the travel in
// progress. Without them no tree grows and no arrival structure is built.
struct GeneratorHooks {
  // Runs a tree of the kind to completion with (x, y) as its seed cell, writing only the map.
  std::function<void(WorldMap& map, int32_t x, int32_t y, uint8_t kind)> growTree;
  // The origin planet of a travel in progress (the world's pending arrival), if any.
  std::optional<uint32_t> arrivalOrigin;
  // Records the arrival at the spawn cell once the structure stands.
  std::function<void(uint16_t column, uint16_t row)> recordArrival;
};

struct GridPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A tree seed collected by the decoration patterns and grown by the surface dressing.
struct TreeSeed {
  int32_t x = 0;
  int32_t y = 0;
  uint8_t kind = 0;
};

// Rows of a rule's depth range (inclusive).
struct RowRange {
  int32_t lo = 0;
  int32_t hi = 0;
};

class WorldGenerator {
 public:
  // `stop`, when given, is set by another thread to end the generation early.
  WorldGenerator(WorldMap& map, GeneratorProgress progress, GeneratorHooks hooks = {},
                 const std::atomic<bool>* stop = nullptr);

  // ---- Shared rules of the stages ----
  // Checks for a stop, then reports the stage's text.
  void report(const char* text) const;
  // Throws `GenerationStopped` when a stop was asked.
  void checkStop() const;
  void gaveUp(RetryKind kind) { ++counts.gaveUp[static_cast<size_t>(kind)]; }
  // Rows of the depth range (lo, hi) of a rule.
  RowRange depthRange(float lo, float hi) const;
  // A random row of the range (no draw when it is one row).
  static int32_t randomRow(const RowRange& rows);
  // The density count base: (width / 64) x (height / 256).
  float densityBase() const;
  // Draws a cell allows a search for `wanted` placements before it gives up.
  static uint64_t drawBudget(double wanted);
  // Makes the cell a liquid source of the kind and counts it.
  void addLiquidSource(MapBlock& cell, uint8_t kind);

  WorldMap& map;
  const PlanetDef& planet;
  const BlockPropsTable& props;
  GeneratorProgress progress;
  GeneratorHooks hooks;
  const std::atomic<bool>* stop = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<GridPoint> frontier;   // the vein grower's working list
  std::vector<GridPoint> carveList;  // cells of one cave or the points of one worm
  std::vector<TreeSeed> treeSeeds;
  std::array<uint8_t, 16> stackCounts{};
  uint16_t spawnColumn = 0;
  uint16_t spawnRow = 0;
  GenerationCounts counts;
};

// The generation flag word the biome and surface-dressing stages test rule masks against.
constexpr uint32_t kGenerationFlagWord = 32;

// `generateWorld`: every stage in order; returns the spawn cell.
SpawnCell generateWorld(WorldGenerator& generator, const WorldParams& params, uint32_t flagWord);
// `generateWorldLayers`: the middle stages, from the veins to the surface dressing.
void generateWorldLayers(WorldGenerator& generator, const WorldParams& params, uint32_t flagWord);
// The spawn search: the nearest dry standing cell to the middle column, else the middle column at
// its surface height.
SpawnCell findSpawnCell(WorldGenerator& generator);
// The closing pass: bedrock in row 0 and no liquid in any column's bottom run of bedrock.
void closeBedrock(WorldGenerator& generator);
