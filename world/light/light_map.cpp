#include "world/light/light_map.h"

#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

LightMap::LightMap(WorldMap& map) : map_(map) {}
LightMap::~LightMap() = default;

uint16_t LightMap::emittedColour(const MapBlock& cell) const {
  return cell.hasFlag(cell_flag::kEmitsLight) ? map_.props()[cell.frontId()].lightColor : 0;
}

void LightMap::relightAll() {}
void LightMap::spreadFrom(MapBlock&) {}
void LightMap::refreshCell(MapBlock&) {}
void LightMap::updateAround(MapBlock&, bool) {}
void LightMap::raiseCellLight(MapBlock&, uint16_t) {}

void LightMap::setCellEmitting(MapBlock& cell) {
  cell.flags |= cell_flag::kEmitsLight;
  cell.blockLight = emittedColour(cell);
  spreadFrom(cell);
}

bool LightMap::cellLostSky(MapBlock& cell, uint8_t layer) {
  if (layer != 0 || !cell.shutsOutLight(map_.props())) return false;
  cell.flags &= static_cast<uint8_t>(~cell_flag::kLetsLightThrough);
  return true;
}

bool LightMap::cellGainedSky(MapBlock& cell) {
  cell.flags |= cell_flag::kLetsLightThrough;
  if (cell.y == map_.height() - 1) cell.setSkyLevel(15);
  spreadFrom(cell);
  return true;
}
