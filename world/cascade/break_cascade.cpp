#include "world/cascade/break_cascade.h"

#include "content/items/block_rules.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/placement/block_tables.h"
#include "world/placement/neighbour_connect.h"
#include "world/placement/placement_checks.h"
#include "world/placement/placement_support.h"
#include "world/rules/game.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

using namespace placement;
namespace bf = block_flag;

namespace {

constexpr uint8_t kBlockDebrisLifetime = 15;
constexpr uint8_t kDecoDebrisLifetime = 32;
constexpr uint8_t kHangingSignVariant = 1;

bool isFenceId(uint16_t id) { return isFenceBlock(id); }

// Re-attaches a side-attached block (flag 32) to the side it still has, or breaks it.
void reattach(World& world, MapBlock& cell, PlayerBase* actor) {
  WorldMap& map = world.map();
  if (!frontHas(map, cell, bf::kAttachesToSide)) return;
  const uint8_t side = attachSideFor(map, cell, cell.frontId(), false);
  if (side == kNoSide) {
    spawnTileBreakDebris(world, cell, MapBlock::kFront, kBreakDebris, actor);
  } else {
    cell.setBlockState(side);
    redraw(world, cell);
  }
}

// A toggle between two walls breaks when a wall goes; side-attached blocks re-attach.
void recheckSideAttachment(World& world, MapBlock& cell, PlayerBase* actor) {
  WorldMap& map = world.map();
  if (cell.frontId() == kToggleBlock) {
    if (frontFullyClear(map, *cell.neighbourLeft(map)) || frontFullyClear(map, *cell.neighbourRight(map))) {
      spawnTileBreakDebris(world, cell, MapBlock::kFront, kBreakDebris, actor);
    }
    return;
  }
  reattach(world, cell, actor);
}

void disconnectFurniture(World& world, MapBlock& cell) {
  WorldMap& map = world.map();
  const CellInfo self{cell.x, cell.y, cell.front};
  MapBlock& left = *cell.neighbourLeft(map);
  MapBlock& right = *cell.neighbourRight(map);
  if (frontHas(map, left, bf::kTwoCellFurniture) && sameBlockGroup(self, {left.x, left.y, left.front})) {
    connectLeftNeighbour(world, left);
  }
  if (frontHas(map, right, bf::kTwoCellFurniture) && sameBlockGroup(self, {right.x, right.y, right.front})) {
    connectRightNeighbour(world, right);
  }
}

void rejoinFences(World& world, MapBlock& cell) {
  WorldMap& map = world.map();
  MapBlock& left = *cell.neighbourLeft(map);
  MapBlock& right = *cell.neighbourRight(map);
  if (isFenceId(left.frontId())) joinFenceCell(world, left);
  if (isFenceId(right.frontId())) joinFenceCell(world, right);
}

bool standsOnBelow(const WorldMap& map, const MapBlock& cell) {
  return frontHas(map, cell, bf::kOriented) && (cell.blockState() & 3) == 0;
}

void walkUpwards(World& world, MapBlock& start, PlayerBase* actor) {
  WorldMap& map = world.map();
  MapBlock* cell = &start;
  for (int32_t steps = 0; cell != nullptr && steps < map.height() && standsOnBelow(map, *cell); ++steps) {
    const uint16_t id = cell->frontId();
    if (frontHas(map, *cell, bf::kTwoCellFurniture)) disconnectFurniture(world, *cell);
    const bool solid = hasSolidPart(map, *cell);
    if (solid) {
      breakSupportedBlock(world, *cell, actor);
    } else {
      spawnTileBreakDebris(world, *cell, MapBlock::kFront, kBreakDebris, actor);
    }
    if (isFenceId(id)) rejoinFences(world, *cell);
    MapBlock* above = cell->neighbourUp(map);
    if (above == nullptr) break;
    if (solid && (frontHas(map, *above, bf::kStacksOnItself) || frontHas(map, *above, bf::kClimbable))) break;
    cell = above;
  }
}

void handleAbove(World& world, MapBlock& above, PlayerBase* actor) {
  WorldMap& map = world.map();
  if (above.frontId() == kSignBlock && above.frontVariant() == 0) {
    if (above.backId() == 0 && !above.isBelowSurface(map)) {
      spawnTileBreakDebris(world, above, MapBlock::kFront, kBreakDebris, actor);
    } else {
      above.front = block_word::compose(above.front, kSignBlock, kHangingSignVariant);
      above.setBlockState(0);
      redraw(world, above);
    }
    return;
  }
  reattach(world, above, actor);
}

bool hangs(const WorldMap& map, const MapBlock& cell) {
  if (frontHas(map, cell, bf::kHangsFromAbove)) return true;
  return frontHas(map, cell, bf::kOriented) && (cell.blockState() == 2 || cell.blockState() == 6);
}

void walkDownwards(World& world, MapBlock& below, uint16_t removedWord, PlayerBase* actor) {
  WorldMap& map = world.map();
  if (frontHas(map, below, bf::kStacksOnItself) && !map.props()[block_word::id(removedWord)].has(bf::kStacksOnItself)) {
    below.clearBlock130Decos();
    redraw(world, below);
  }
  reattach(world, below, actor);
  MapBlock* cell = &below;
  MapBlock* lastSolid = nullptr;
  for (int32_t steps = 0; cell != nullptr && steps < map.height() && hangs(map, *cell); ++steps) {
    const bool solid = hasSolidPart(map, *cell);
    if (solid && frontHas(map, *cell, bf::kClimbable)) {
      lastSolid = nullptr;
      break;
    }
    lastSolid = solid ? cell : nullptr;
    if (!solid) spawnTileBreakDebris(world, *cell, MapBlock::kFront, kBreakDebris, actor);
    cell = cell->neighbourDown(map);
  }
  if (lastSolid != nullptr) breakSupportedBlock(world, *lastSolid, actor);
}

void stepConnection(World& world, MapBlock& cell, uint8_t from1, uint8_t to1, uint8_t from2, uint8_t to2) {
  WorldMap& map = world.map();
  if (!frontHas(map, cell, bf::kTwoCellFurniture)) return;
  const uint8_t v = cell.frontVariant();
  if (v != from1 && v != from2) return;
  cell.front = block_word::compose(cell.front, cell.frontId(), v == from1 ? to1 : to2);
  if (multiPartByBase(cell.frontId()) != nullptr) copyVariantToLinkedDeco(map, cell);
  redraw(world, cell);
}

}  // namespace

void spawnTileBreakDebris(World& world, MapBlock& cell, uint8_t layer, uint32_t count, PlayerBase* actor) {
  const uint16_t word = cell.layerWord(layer);
  if (!world.isBusy()) {
    world.effects().spawnCutDebris(block_word::id(word), block_word::variant(word), layer == MapBlock::kBack, count,
                                  cellPixelPosition(cell), cell, kBlockDebrisLifetime);
  }
  BlockEdit edit = editForCell(cell, edit_kind::kRemoveLayer);
  edit.layer = layer;
  edit.slot = MapBlock::kNoSlot;
  edit.extra = static_cast<uint16_t>(count);
  world.edits().applyBlockEdit(edit, actor);
}

void removeDecoWithDebris(World& world, MapBlock& cell, uint8_t slot) {
  if (slot > 3) return;
  const MapDeco deco = cell.decos[slot];
  if (!world.isBusy()) {
    world.effects().spawnCutDebris(map_deco::id(deco), map_deco::variant(deco), map_deco::side(deco) == MapBlock::kBack,
                                  kBreakDebris, cellPixelPosition(cell), cell, kDecoDebrisLifetime);
  }
  BlockEdit edit = editForCell(cell, edit_kind::kRemoveDeco);
  edit.slot = slot;
  edit.blockId = map_deco::id(deco);
  edit.layer = map_deco::side(deco);
  edit.extra = kBreakDebris;
  world.edits().applyBlockEdit(edit, nullptr);
}

void breakSupportedBlock(World& world, MapBlock& cell, PlayerBase* actor) {
  WorldMap& map = world.map();
  if (!hasSolidPart(map, cell)) {
    spawnTileBreakDebris(world, cell, MapBlock::kFront, kBreakDebris, actor);
    return;
  }
  DecoHit solid = cell.findFrontDecoWithFlags(map.props(), flagMask(bf::kSolid));
  if (!solid) return;
  const MapDeco deco = *solid.slot;
  map_deco::clear(*solid.slot);
  spawnTileBreakDebris(world, cell, MapBlock::kFront, kBreakDebris, actor);
  if (map_deco::id(deco) != 0) {
    cell.front = block_word::compose(cell.front, map_deco::id(deco), map_deco::variant(deco));
  } else {
    cell.setFront(0, 0, 0);
  }
  redraw(world, cell);
}

void updateNeighboursAfterBlockChange(World& world, MapBlock& cell, uint16_t word, PlayerBase* actor) {
  if (!block_word::isFront(word)) return;
  WorldMap& map = world.map();
  recheckSideAttachment(world, *cell.neighbourLeft(map), actor);
  recheckSideAttachment(world, *cell.neighbourRight(map), actor);
  if (MapBlock* above = cell.neighbourUp(map); above != nullptr) {
    walkUpwards(world, *above, actor);
    handleAbove(world, *above, actor);
  }
  if (MapBlock* below = cell.neighbourDown(map); below != nullptr) walkDownwards(world, *below, word, actor);
}

void connectLeftNeighbour(World& world, MapBlock& cell) {
  stepConnection(world, cell, connection::kRightOnly, connection::kNone, connection::kBoth, connection::kLeftOnly);
}

void connectRightNeighbour(World& world, MapBlock& cell) {
  stepConnection(world, cell, connection::kLeftOnly, connection::kNone, connection::kBoth, connection::kRightOnly);
}

void joinFenceCell(World& world, MapBlock& cell) {
  WorldMap& map = world.map();
  const bool left = joinsFence(cell.neighbourLeft(map)->frontId());
  const bool right = joinsFence(cell.neighbourRight(map)->frontId());
  if (left == right) {
    setBlockWordRandomVariant(map.props(), cell.front, kFenceBlock);
  } else {
    cell.setFront(kFenceEndBlock, 0, left ? 4 : 0);
  }
  redraw(world, cell);
}
