#include "world/generator/generator_liquids.h"

#include "world/cells/map_block.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

void makeLiquidSource(WorldMap& map, MapBlock& cell, uint8_t kind) {
  cell.flags |= cell_flag::kLiquidSource;
  cell.liquid = static_cast<uint8_t>((kind << 6) | 0x24);
  map.liquids().queueCell(cell);
}

uint32_t settleLiquids(WorldMap& map) {
  (void)map;
  return 0;
}
