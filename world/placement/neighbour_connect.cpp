#include "world/placement/neighbour_connect.h"

#include "content/items/block_rules.h"
#include "world/placement/block_tables.h"
#include "world/placement/placement_support.h"

using namespace placement;
namespace bf = block_flag;

namespace {

CellInfo infoOf(const MapBlock& cell) { return {cell.x, cell.y, cell.front}; }

bool joins(WorldMap& map, const MapBlock& cell, const MapBlock& other) {
  return frontHas(map, other, bf::kTwoCellFurniture) && sameBlockGroup(infoOf(cell), infoOf(other));
}

void setFrontVariant(WorldMap& map, MapBlock& cell, uint8_t variant) {
  cell.front = block_word::compose(cell.front, cell.frontId(), variant);
  if (multiPartByBase(cell.frontId()) != nullptr) copyVariantToLinkedDeco(map, cell);
}

void setFenceWithState(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t state) {
  if (id == kFenceBlock) {
    cell.setFrontRandomVariant(map.props(), id);
    cell.setBlockState(state);
  } else {
    cell.setFront(id, 0, state);
  }
}

}  // namespace

void connectWithSideNeighbours(WorldMap& map, MapBlock& cell, EditResult& result) {
  MapBlock& left = *cell.neighbourLeft(map);
  MapBlock& right = *cell.neighbourRight(map);
  const bool leftJoins = joins(map, cell, left);
  const bool rightJoins = joins(map, cell, right);
  const uint8_t own = leftJoins && rightJoins ? connection::kBoth
                      : leftJoins             ? connection::kLeftOnly
                      : rightJoins            ? connection::kRightOnly
                                              : connection::kNone;
  setFrontVariant(map, cell, own);
  if (leftJoins) {
    const uint8_t v = left.frontVariant();
    if (v == connection::kLeftOnly) setFrontVariant(map, left, connection::kBoth);
    if (v == connection::kNone) setFrontVariant(map, left, connection::kRightOnly);
    result |= refresh_bit::kLeft;
  }
  if (rightJoins) {
    const uint8_t v = right.frontVariant();
    if (v == connection::kRightOnly) setFrontVariant(map, right, connection::kBoth);
    if (v == connection::kNone) setFrontVariant(map, right, connection::kLeftOnly);
    result |= refresh_bit::kRight;
  }
}

void copyVariantToLinkedDeco(WorldMap& map, MapBlock& cell) {
  for (MapDeco& deco : cell.decos) {
    if (map_deco::empty(deco) || !map.props()[map_deco::id(deco)].has(bf::kLinkedDeco)) continue;
    deco = map_deco::make(map_deco::id(deco), cell.frontVariant(), map_deco::side(deco));
    return;
  }
}

uint8_t variantBySideOpacity(WorldMap& map, const MapBlock& cell) {
  const bool left = !frontFullyClear(map, *cell.neighbourLeft(map));
  const bool right = !frontFullyClear(map, *cell.neighbourRight(map));
  if (left && right) return 3;
  if (left) return 0;
  return right ? 2 : 1;
}

bool hasSideOpacityVariants(const BlockProps& block) { return block.variantCount >= kSideOpacityVariants; }

bool setVariantBySideOpacity(WorldMap& map, MapBlock& cell) {
  const uint8_t variant = variantBySideOpacity(map, cell);
  if (frontHas(map, cell, bf::kSolid)) {
    if (!hasSideOpacityVariants(frontProps(map, cell))) return false;
    cell.front = block_word::compose(cell.front, cell.frontId(), variant);
    return true;
  }
  DecoHit solid = cell.findFrontDecoWithFlags(map.props(), flagMask(bf::kSolid));
  if (!solid || !hasSideOpacityVariants(map.props()[map_deco::id(*solid.slot)])) return false;
  *solid.slot = map_deco::make(map_deco::id(*solid.slot), variant, MapBlock::kFront);
  return true;
}

void connectFenceAndStable(WorldMap& map, MapBlock& cell, bool placingFence, EditResult& result) {
  MapBlock& left = *cell.neighbourLeft(map);
  MapBlock& right = *cell.neighbourRight(map);
  if (placingFence) {
    const bool leftJoins = joinsFence(left.frontId());
    const bool rightJoins = joinsFence(right.frontId());
    if (leftJoins == rightJoins) {
      setFenceWithState(map, cell, kFenceBlock, cell.blockState());
    } else {
      cell.setFront(kFenceEndBlock, 0, leftJoins ? 4 : 0);
    }
  }
  if (isFenceBlock(left.frontId())) {
    setFenceWithState(map, left, left.frontId() == kFenceBlock ? kFenceEndBlock : kFenceBlock, 0);
    result |= refresh_bit::kLeft;
  }
  if (isFenceBlock(right.frontId())) {
    const bool toEnd = right.frontId() == kFenceBlock;
    setFenceWithState(map, right, toEnd ? kFenceEndBlock : kFenceBlock, toEnd ? 4 : 0);
    result |= refresh_bit::kRight;
  }
}

void moveSolidFrontToDeco(WorldMap& map, MapBlock& cell) {
  if (frontHas(map, cell, bf::kSolid)) cell.addDeco(cell.frontId(), cell.frontVariant(), MapBlock::kFront);
}

void placeFrontKeepingSolidAsDeco(WorldMap& map, MapBlock& cell, uint16_t id) {
  moveSolidFrontToDeco(map, cell);
  cell.setFrontRandomVariant(map.props(), id);
  if (id == 0) cell.setBlockState(0);
}

bool placeAsDecoOrFront(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant) {
  if (cell.frontId() == 0) {
    cell.setFront(id, variant, 0);
    return true;
  }
  if (cell.addDeco(id, variant, MapBlock::kFront) == MapBlock::kNoSlot) return false;
  const MapBlock* above = cell.neighbourUp(map);
  if (frontHas(map, cell, bf::kStacksOnItself) && above != nullptr && frontHas(map, *above, bf::kStacksOnItself)) {
    cell.clearBlock130Decos();
  }
  return true;
}
