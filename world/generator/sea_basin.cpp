#include "world/generator/sea_basin.h"

#include "content/planets/planet_def.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/world_generator.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

namespace {

// The planet's ground block with the greatest weight, for a closing cell with no ground beside it.
uint16_t commonGround(const WorldGenerator& g) {
  uint16_t block = 0;
  uint16_t weight = 0;
  for (const TerrainBlock& t : g.planet.terrainBlocks) {
    if (t.block != 0 && g.props[t.block].opaque() && t.weight > weight) {
      block = t.block;
      weight = t.weight;
    }
  }
  return block;
}

// The ground a closing cell takes: that of its first opaque neighbour below, left or right.
const MapBlock* groundBeside(const WorldGenerator& g, const MapBlock& cell) {
  for (const MapBlock* n : {cell.neighbourDown(g.map), cell.neighbourLeft(g.map), cell.neighbourRight(g.map)}) {
    if (n != nullptr && n->frontId() != 0 && g.props[n->frontId()].opaque()) return n;
  }
  return nullptr;
}

void close(WorldGenerator& g, MapBlock& cell, uint16_t fallback) {
  const MapBlock* ground = groundBeside(g, cell);
  if (ground == nullptr && fallback == 0) return;
  cell.clearSideDecos(MapBlock::kFront);
  cell.setFront(ground != nullptr ? ground->frontId() : fallback, ground != nullptr ? ground->frontVariant() : 0, 0);
}

}  // namespace

void closeSeaBasin(WorldGenerator& g, const std::vector<GridPoint>& seaCells) {
  const uint16_t fallback = commonGround(g);
  const LiquidSimulator& liquids = g.map.liquids();
  for (const GridPoint& p : seaCells) {
    MapBlock& sea = g.map.cell(p.x, p.y);
    for (MapBlock* n : {sea.neighbourDown(g.map), sea.neighbourLeft(g.map), sea.neighbourRight(g.map)}) {
      if (n == nullptr || !liquids.isOpenForLiquid(n) || n->holdsOrSourcesLiquid()) continue;
      close(g, *n, fallback);
    }
  }
}
