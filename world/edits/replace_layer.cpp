#include "world/edits/replace_layer.h"

#include "content/items/block_edit.h"
#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

namespace {

struct Openness {
  uint16_t emitted = 0;
  bool shutsSky = false;
  bool closedForLight = false;
  bool closedForLightOrMovement = false;
};

Openness opennessOf(WorldMap& map, const MapBlock& cell) {
  const BlockPropsTable& props = map.props();
  Openness o;
  o.emitted = map.lightMap().emittedColour(cell);
  o.shutsSky = cell.shutsOutLight(props);
  o.closedForLight = cell.opaqueForScans(props);
  o.closedForLightOrMovement = o.closedForLight || cell.blocksMovement(props);
  return o;
}

}  // namespace

EditResult replaceLayerWord(WorldMap& map, MapBlock& cell, const BlockEdit& edit) {
  EditResult result{&cell, refresh_bit::kCell};
  const Openness before = opennessOf(map, cell);
  if (edit.layer == MapBlock::kFront && cell.liquid >= 64) {
    map.liquids().wakeNeighbours(cell);
    map.lightMap().updateAround(cell, false);
    result |= refresh_bit::kLight;
  }
  map.setBlockAt(edit.blockId, edit.variant, cell.x, cell.y, edit.layer);
  cell.setBlockState(edit.state);
  const Openness after = opennessOf(map, cell);
  if ((before.emitted == 0) != (after.emitted == 0)) {
    map.lightMap().updateAround(cell, false);
    result |= refresh_bit::kLight;
  }
  if (!before.shutsSky && after.shutsSky) {
    map.lightMap().cellLostSky(cell, MapBlock::kFront);
    result |= refresh_bit::kLight;
  } else if (before.shutsSky && !after.shutsSky) {
    map.lightMap().cellGainedSky(cell);
    result |= refresh_bit::kLight;
  }
  if (!before.closedForLightOrMovement && after.closedForLightOrMovement) map.liquids().forgetCell(cell);
  if (before.closedForLightOrMovement && !after.closedForLightOrMovement) map.liquids().wakeNeighbours(cell);
  if (before.closedForLight != after.closedForLight) {
    cell.refreshShadowsAround(map);
    result |= refresh_bit::kShadows;
  }
  if (edit.layer == MapBlock::kFront && before.closedForLightOrMovement != after.closedForLightOrMovement) {
    map.updateSurfaceHeight(cell.x, cell.y, after.closedForLightOrMovement);
  }
  return result;
}
