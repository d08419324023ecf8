#include "world/placement/edit_primitives.h"

#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/placement/block_tables.h"
#include "world/placement/neighbour_connect.h"
#include "world/placement/placement_checks.h"
#include "world/placement/placement_support.h"

using namespace placement;
namespace bf = block_flag;

namespace {

constexpr uint16_t kWebDeco = 239;

// A front-side decoration that a block placed above pushes off (removable, not blocking).
bool isRemovableAttachment(const WorldMap& map, MapDeco deco) {
  const BlockProps& p = map.props()[map_deco::id(deco)];
  return !map_deco::empty(deco) && map_deco::side(deco) == MapBlock::kFront && p.has(bf::kRemovableAttachment) &&
         !p.has(bf::kBlockingDeco);
}

// A stacked piece becomes another piece of its row (0 empties it); light follows an emitter.
void setStackPiece(WorldMap& map, MapBlock& cell, uint16_t id) {
  const bool emitted = frontHas(map, cell, bf::kEmitsLight);
  if (id == 0) {
    cell.setFront(0, 0, 0);
  } else {
    cell.front = block_word::compose(cell.front, id, cell.frontVariant());
  }
  if (emitted || map.props()[id].has(bf::kEmitsLight)) map.lightMap().updateAround(cell, false);
}

// Stacking pieces: the new block joins the piece below and the piece above; returns the id the
// new block takes.
uint16_t stackPieces(WorldMap& map, MapBlock& cell, uint16_t id, EditResult& result) {
  const StackingRow* own = stackingRowByFirst(id);
  uint16_t placed = id;
  uint8_t position = 0;
  if (MapBlock* below = cell.neighbourDown(map); below != nullptr && frontHas(map, *below, bf::kStackingPieces)) {
    const StackingRow* row = stackingRowOf(below->frontId(), position);
    if (row != nullptr && position == 2) {
      setStackPiece(map, *below, row->ids[1]);
      result |= refresh_bit::kBelow;
      if (own != nullptr) placed = own->ids[2];
    }
  }
  if (MapBlock* above = cell.neighbourUp(map); above != nullptr && frontHas(map, *above, bf::kStackingPieces)) {
    const StackingRow* row = stackingRowOf(above->frontId(), position);
    if (row != nullptr && position == 0) {
      const MapBlock* top = above->neighbourUp(map);
      const bool continues = top != nullptr && frontHas(map, *top, bf::kStackingPieces);
      setStackPiece(map, *above, continues ? row->ids[1] : row->ids[2]);
      result |= refresh_bit::kAbove;
      if (own != nullptr) placed = own->ids[1];
    }
  }
  return placed;
}

void facingSolidSide(WorldMap& map, const MapBlock& cell, uint16_t id, uint8_t& variant, uint8_t& state) {
  const bool left = frontOpaque(map, cell.neighbourLeft(map));
  const bool right = frontOpaque(map, cell.neighbourRight(map));
  if (left == right) {
    if (isCellCovered(map, cell) && map.props()[id].has(bf::kNeedsCover)) variant = 0;
  } else {
    // The look that hangs on a wall, where the block has one; a block of one look only turns.
    if (map.props()[id].variantCount >= 2) variant = 1;
    if (right) state = 4;
  }
}

void putBlockIn(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant, uint8_t state, EditResult& result) {
  const BlockProps& block = map.props()[id];
  if (isStableBlock(id)) connectFenceAndStable(map, cell, false, result);
  if (id == kFenceBlock) {
    connectFenceAndStable(map, cell, true, result);
  } else if (block.has(bf::kSolid)) {
    placeAsDecoOrFront(map, cell, id, variant);
  } else if (!block.has(bf::kClimbable)) {
    moveSolidFrontToDeco(map, cell);
    cell.setFront(id, variant, state);
  } else {
    placeFrontKeepingSolidAsDeco(map, cell, id);
  }
}

}  // namespace

EditResult editSetLayerBlock(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant, uint8_t layer) {
  EditResult result{&cell, refresh_bit::kCell};
  if (layer == MapBlock::kFront && cell.hasLiquidLevel()) {
    map.liquids().wakeNeighbours(cell);
    map.lightMap().updateAround(cell, false);
    result |= refresh_bit::kLight;
  }
  const uint16_t emittedBefore = map.lightMap().emittedColour(cell);
  cell.setLayer(id, variant, layer);
  cell.refreshShadowsAround(map);
  result |= refresh_bit::kShadows;
  if (layer != MapBlock::kFront) return result;
  // A torch or lamp put into the front layer as a block item gives its light at once.
  if (map.lightMap().emittedColour(cell) != emittedBefore) {
    map.lightMap().updateAround(cell, false);
    result |= refresh_bit::kLight;
  }
  MapBlock& left = *cell.neighbourLeft(map);
  MapBlock& right = *cell.neighbourRight(map);
  if (hasSolidPart(map, left) && setVariantBySideOpacity(map, left)) result |= refresh_bit::kLeft;
  if (hasSolidPart(map, right) && setVariantBySideOpacity(map, right)) result |= refresh_bit::kRight;
  if (MapBlock* below = cell.neighbourDown(map); below != nullptr) {
    DecoHit pushed = below->findDecoIf([&](MapDeco d) { return isRemovableAttachment(map, d); });
    if (pushed) {
      map_deco::clear(*pushed.slot);
      result |= refresh_bit::kBelow;
    }
  }
  if (map.lightMap().cellLostSky(cell, MapBlock::kFront)) result |= refresh_bit::kLight;
  return result;
}

EditResult editPlaceBlock(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t state) {
  EditResult result{&cell, refresh_bit::kCell};
  const BlockProps& block = map.props()[id];
  uint8_t variant = randomVariantFor(map.props(), id);
  if (id == kSignBlock) {
    variant = hasSupportBelow(map, cell, id) ? 0 : 1;
  } else if (block.has(bf::kSolid) && id != kToggleBlock && hasSideOpacityVariants(block)) {
    variant = variantBySideOpacity(map, cell);
  }
  if (block.has(bf::kStacksOnItself)) {
    MapBlock* below = cell.neighbourDown(map);
    if (below != nullptr && frontHas(map, *below, bf::kStacksOnItself) && !hasSolidPart(map, *below)) {
      below->addDeco(kStackMarkDeco, 0, MapBlock::kFront);
      result |= refresh_bit::kBelow;
    }
  }
  if (block.has(bf::kStackingPieces)) id = stackPieces(map, cell, id, result);
  if (block.has(bf::kFacesSolidSide)) facingSolidSide(map, cell, id, variant, state);
  if (block.has(bf::kAttachesToSide)) state = attachSideFor(map, cell, id, false);
  putBlockIn(map, cell, id, variant, state, result);
  if (block.has(bf::kEmitsLight)) {
    map.lightMap().setCellEmitting(cell);
    result |= refresh_bit::kLight;
  } else if (block.has(bf::kTwoCellFurniture)) {
    connectWithSideNeighbours(map, cell, result);
  }
  return result;
}

EditResult editAttachBlock(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant, uint8_t side) {
  EditResult result{&cell, refresh_bit::kCell};
  const BlockProps& block = map.props()[id];
  if (block.has(bf::kLinkedDeco)) {
    uint8_t piece = 0;
    if (multiPartByBase(cell.frontId()) != nullptr) {
      id = linkedDecoSubstitute(id);
      variant = cell.frontVariant();
    } else {
      variant = multiPartByPiece(cell.frontId(), piece) != nullptr ? piece : 0;
    }
    if (id == 0) return result;
  } else if (block.has(bf::kSpecialDeco)) {
    for (MapDeco& deco : cell.decos) {
      if (map_deco::empty(deco) || map_deco::side(deco) != side) continue;
      if (!map.props()[map_deco::id(deco)].has(bf::kSpecialDeco)) continue;
      deco = map_deco::make(id, variant, side);
      return result;
    }
  } else if (side == MapBlock::kFront && id != kWebDeco) {
    DecoHit removable = cell.findFrontDecoWithFlags(map.props(), flagMask(bf::kRemovableAttachment));
    if (removable) map_deco::clear(*removable.slot);
  }
  cell.addDeco(id, variant, side);
  return result;
}

EditResult editRemoveLayer(WorldMap& map, MapBlock& cell, uint8_t layer) {
  EditResult result{&cell, refresh_bit::kCell};
  const bool shutSky = cell.shutsOutLight(map.props());
  const bool frontWasOpaque = frontProps(map, cell).opaque() && cell.frontId() != 0;
  const uint16_t emitted = map.lightMap().emittedColour(cell);
  cell.setLayer(0, 0, layer);
  cell.refreshShadowsAround(map);
  result |= refresh_bit::kShadows;
  if (shutSky && !cell.shutsOutLight(map.props())) {
    map.lightMap().cellGainedSky(cell);
    result |= refresh_bit::kLight;
  } else if (emitted != 0) {
    map.lightMap().updateAround(cell, false);
    result |= refresh_bit::kLight;
  }
  if (layer == MapBlock::kFront && frontWasOpaque) map.liquids().queueCell(cell);
  return result;
}
