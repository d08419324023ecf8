#include "world/generator/world_generator.h"

#include <algorithm>
#include <cmath>

#include "content/planets/planet_def.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/cave_carver.h"
#include "world/generator/generator_liquids.h"
#include "world/generator/generator_masks.h"
#include "world/generator/generator_random.h"
#include "world/generator/mineral_placer.h"
#include "world/generator/spawn_safety.h"
#include "world/generator/surface_dresser.h"
#include "world/generator/terrain_passes.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"

namespace {

// Bounds of a search that draws cells until enough qualify: a floor for rare placements, then a
// generous number of draws per placement. Authored planets stay far inside them.
constexpr uint64_t kMinDraws = 4096;
constexpr uint64_t kDrawsPerPlacement = 512;


}  // namespace

WorldGenerator::WorldGenerator(WorldMap& worldMap, GeneratorProgress progressCallback, GeneratorHooks generatorHooks,
                               const std::atomic<bool>* stopFlag)
    : map(worldMap),
      planet(worldMap.planet()),
      props(worldMap.props()),
      progress(std::move(progressCallback)),
      hooks(std::move(generatorHooks)),
      stop(stopFlag),
      width(worldMap.width()),
      height(worldMap.height()) {}

void WorldGenerator::report(const char* text) const {
  checkStop();
  if (progress) progress(text);
}

void WorldGenerator::checkStop() const {
  if (stop != nullptr && stop->load(std::memory_order_relaxed)) throw GenerationStopped{};
}

RowRange WorldGenerator::depthRange(float lo, float hi) const {
  const int32_t depth = height - static_cast<int32_t>(planet.parameters.surfaceAmplitude) - map.heightLevel();
  RowRange rows;
  if (lo == 1.0f && hi == 1.0f) {
    rows = {depth, height - 1};
  } else {
    rows.lo = static_cast<int32_t>(static_cast<float>(depth) * lo);
    rows.hi = hi > 1.0f ? height - 1 : static_cast<int32_t>(static_cast<float>(depth) * hi);
  }
  rows.lo = std::clamp(rows.lo, 0, height - 1);
  rows.hi = std::clamp(rows.hi, rows.lo, height - 1);
  return rows;
}

int32_t WorldGenerator::randomRow(const RowRange& rows) { return worldgen::rangeDraw(rows.lo, rows.hi); }

float WorldGenerator::densityBase() const {
  return static_cast<float>(width / 64) * (static_cast<float>(height) * 0.00390625f);
}

uint64_t WorldGenerator::drawBudget(double wanted) {
  return kMinDraws + kDrawsPerPlacement * static_cast<uint64_t>(std::max(0.0, wanted));
}

void WorldGenerator::addLiquidSource(MapBlock& cell, uint8_t kind) {
  makeLiquidSource(map, cell, kind);
  ++counts.liquidSources;
}

// ---- Driver ----

SpawnCell generateWorld(WorldGenerator& g, const WorldParams& params, uint32_t flagWord) {
  g.report("Generating noise map..");
  generateNoiseMap(g);
  g.report("Placing bedrock..");
  placeBedrock(g);
  generateWorldLayers(g, params, flagWord);
  g.report("Computing lighting..");
  g.map.lightMap().relightAllWithShadows();  // the shadow edges too, in the same pass over the cells
  g.report("Precomputing shadows..");
  closeBedrock(g);
  finishLiquids(g.map);
  // The arrival was recorded where its structure stands; any other spawn moves off unsafe ground.
  if (!arrivalStructureStands(g, params)) {
    const SpawnCell spawn = safeSpawnNear(g, {g.spawnColumn, g.spawnRow});
    g.spawnColumn = spawn.column;
    g.spawnRow = spawn.row;
  }
  return {g.spawnColumn, g.spawnRow};
}

void generateWorldLayers(WorldGenerator& g, const WorldParams& params, uint32_t flagWord) {
  GeneratorMasks masks(g);
  placeHorizontalRuns(g, g.planet.parameters.runCount, g.planet.parameters.runMaxLength);
  g.report("Spawning veins..");
  spawnVeins(g);
  g.report("Spawning blocks..");
  spawnScatteredBlocks(g);
  g.report("Spawning caves..");
  spawnCaves(g);
  g.report("Spawning worm caves..");
  spawnWormCaves(g);
  erodeLooseBlocks(g);
  g.report("Generating dungeons..");
  g.report("Dressing caves..");
  masks.dressCaves();
  masks.fillPools();
  if (params.mode == 3) spawnLinkBlocks(g);
  g.report("Spawning treasures..");
  spawnSurfaceObjects(g);
  g.report("Generating surface..");
  generateSurface(g, params);
  g.counts.liquidSteps += settleLiquids(g.map, [&g] { g.checkStop(); });
  const SpawnCell spawn = findSpawnCell(g);
  g.spawnColumn = spawn.column;
  g.spawnRow = spawn.row;
  g.report("Generating biomes..");
  generateBiomes(g, params, flagWord);
  g.report("Generating prefabs..");
  g.report("Dressing surface..");
  dressSurface(g, params, flagWord);
}

SpawnCell findSpawnCell(WorldGenerator& g) {
  const int32_t middle = g.width / 2;
  for (int32_t i = 0; i < g.width; ++i) {
    const int32_t offset = (i % 2 == 0) ? i / 2 : -(i + 1) / 2;  // 0, -1, +1, -2, +2, ...
    const int32_t x = g.map.wrapX(middle + offset);
    int32_t y = std::min<int32_t>(g.map.surfaceLine(x), g.height - 1);
    while (y > 0 && g.props[g.map.cell(x, y - 1).frontId()].transparency != 0) --y;
    if (!g.map.cell(x, y).holdsOrSourcesLiquid()) return {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
  }
  g.gaveUp(RetryKind::Spawn);
  const int32_t y = std::min<int32_t>(g.map.surfaceLine(middle), g.height - 1);
  return {static_cast<uint16_t>(middle), static_cast<uint16_t>(y)};
}

void closeBedrock(WorldGenerator& g) {
  for (int32_t x = 0; x < g.width; ++x) {
    MapBlock& floor = g.map.cell(x, 0);
    floor.setLayerRandomVariant(g.props, kBedrockBlock, MapBlock::kFront);
    floor.setLayerRandomVariant(g.props, kBedrockBlock, MapBlock::kBack);
    for (MapDeco& d : floor.decos) map_deco::clear(d);
    for (int32_t y = 0; y < g.height; ++y) {
      MapBlock& c = g.map.cell(x, y);
      if (c.frontId() != kBedrockBlock) break;
      c.liquid = 0;
      c.flags &= static_cast<uint8_t>(~cell_flag::kLiquidSource);
    }
  }
}
