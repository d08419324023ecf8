#include "world/placement/placement_checks.h"

#include <array>

#include "content/tables/plant_table.h"
#include "world/blocks/chest.h"
#include "world/blocks/logic_block.h"
#include "world/blocks/shelf.h"
#include "world/circuits/circuit_cells.h"
#include "world/placement/block_tables.h"
#include "world/placement/placement_reporter.h"
#include "world/placement/placement_support.h"
#include "world/plants/plant_system.h"
#include "world/world.h"

using namespace placement;
namespace bf = block_flag;

namespace {

constexpr uint16_t kAlwaysOnLadder = 1731;
constexpr uint16_t kVariantZeroOnly = 2119;
constexpr uint16_t kWebDeco = 239;
constexpr uint16_t kWebBlockerDeco = 191;

bool refuse(PlacementReporter* reporter, const char* text) {
  if (reporter != nullptr) reporter->showMessage(text, PlacementReporter::kRefusalMessage);
  return false;
}

bool liquidRefuses(const MapBlock& cell, const BlockProps& block, PlacementReporter* reporter) {
  if (!cell.hasLiquidLevel()) return false;
  switch (cell.liquidKind()) {
    case LiquidKind::Water: return block.has(bf::kNotInWater) && !refuse(reporter, placement_text::kNotInWater);
    case LiquidKind::Acid: return block.has(bf::kNotInAcid) && !refuse(reporter, placement_text::kNotInAcid);
    case LiquidKind::Lava: return block.has(bf::kNotInLava) && !refuse(reporter, placement_text::kNotInLava);
    default: return false;
  }
}

bool solidFits(const WorldMap& map, const MapBlock& cell) {
  const BlockProps& front = frontProps(map, cell);
  return front.fullyClear() && !front.has(bf::kStackingPlant) && !front.has(bf::kSolid) &&
         !hasFrontDecoWith(map, cell, bf::kSolid) && cell.frontId() != kShutterBlock;
}

bool climbableFits(WorldMap& map, const MapBlock& cell, uint16_t id) {
  const BlockProps& front = frontProps(map, cell);
  if (cell.frontId() != 0 && !front.has(bf::kSolid) && !front.has(bf::kReplaceableByPlanting)) return false;
  if (id == kAlwaysOnLadder) return true;
  const MapBlock* below = cell.neighbourDown(map);
  if (below == nullptr) return false;
  const BlockProps& under = frontProps(map, *below);
  return !under.fullyClear() || under.has(bf::kClimbable) || below->isSolid(map.props());
}

bool sideNeighbourHolds(WorldMap& map, const MapBlock& cell) {
  const MapBlock* left = cell.neighbourLeft(map);
  const MapBlock* right = cell.neighbourRight(map);
  return !frontFullyClear(map, *left) || !frontFullyClear(map, *right) || hasSolidPart(map, *left) ||
         hasSolidPart(map, *right);
}

bool otherRulesAllow(WorldMap& map, const MapBlock& cell, uint16_t id) {
  const BlockProps& block = map.props()[id];
  if (block.has(bf::kAttachesToSide) && attachSideFor(map, cell, id, false) == kNoSide) return false;
  if (block.has(bf::kNeedsCover)) {
    const bool sideWall = block.has(bf::kFacesSolidSide) &&
                          (frontOpaque(map, cell.neighbourLeft(map)) || frontOpaque(map, cell.neighbourRight(map)));
    if (!sideWall && !isCellCovered(map, cell)) return false;
  }
  if (block.has(bf::kNeedsSupportBelow) && !hasSupportBelow(map, cell, id)) return false;
  if (block.has(bf::kNeedsCellAbove)) {
    const MapBlock* above = cell.neighbourUp(map);
    if (above == nullptr) return false;
    if (frontFullyClear(map, *above) && !hasSolidPart(map, cell)) return false;
  }
  return true;
}

bool isLockableContainer(uint16_t id) { return isChestBlock(id) || id == kForgeBlock || id == kAlchemyLabBlock; }

bool specialDecoAllowed(WorldMap& map, MapBlock& cell) {
  const BlockPropsTable& props = map.props();
  if (frontHas(map, cell, bf::kAcceptsSpecialDeco)) return true;
  if (cell.frontId() == 0) {
    if (props[cell.backId()].has(bf::kAcceptsSpecialDeco)) return true;
    if (cell.backId() == 0) return false;
    return cell.hasDecoWithFlags(props, flagMask(bf::kAcceptsSpecialDeco), MapBlock::kBack);
  }
  return hasFrontDecoWith(map, cell, bf::kAcceptsSpecialDeco);
}

bool blockingAttachmentOn(const WorldMap& map, const MapBlock& cell, uint8_t side) {
  for (MapDeco deco : cell.decos) {
    if (map_deco::empty(deco) || map_deco::side(deco) != side) continue;
    const BlockProps& p = map.props()[map_deco::id(deco)];
    if (p.has(bf::kBlockingDeco) && !p.has(bf::kRemovableAttachment)) return true;
  }
  return false;
}

bool hasRoomForDeco(const WorldMap& map, const MapBlock& cell, uint16_t id, uint8_t side) {
  const bool replacesAttachments = side == MapBlock::kFront && id != kWebDeco;
  for (MapDeco deco : cell.decos) {
    if (map_deco::empty(deco)) return true;
    if (replacesAttachments && map_deco::side(deco) == MapBlock::kFront &&
        map.props()[map_deco::id(deco)].has(bf::kRemovableAttachment)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool checkLiquidPlacement(World& world, MapBlock& cell, uint16_t id, PlacementReporter* reporter) {
  WorldMap& map = world.map();
  const BlockProps& block = map.props()[id];
  if (liquidRefuses(cell, block, reporter)) return false;
  if (block.has(bf::kSolid) && !solidFits(map, cell)) return false;
  if (!block.has(bf::kClimbable)) {
    if (const PlantRow* plant = plantRowForBlock(id)) {
      const auto code = static_cast<size_t>(world.plants().canPlantAt(cell, *plant));
      return code == 0 || refuse(reporter, placement_text::kPlantRefusals[code & 7]);
    }
    const BlockProps& front = frontProps(map, cell);
    return cell.frontId() == 0 || front.has(bf::kSolid) || front.has(bf::kReplaceableByPlanting);
  }
  return climbableFits(map, cell, id);
}

bool checkPlaceBlock(World& world, MapBlock& cell, uint16_t id, PlacementReporter* reporter) {
  if (!checkLiquidPlacement(world, cell, id, reporter)) return false;
  WorldMap& map = world.map();
  const BlockProps& block = map.props()[id];
  if (block.has(bf::kCircuitComponent) && circuitKind(cell) != 0) return false;
  if (id == kSignBlock && !isCellCovered(map, cell) && !hasSupportBelow(map, cell, id)) return false;
  if (id == kToggleBlock) {
    return !frontFullyClear(map, *cell.neighbourLeft(map)) && !frontFullyClear(map, *cell.neighbourRight(map));
  }
  if (block.has(bf::kSolid)) return sideNeighbourHolds(map, cell);
  return otherRulesAllow(map, cell, id);
}

bool checkAttachBlock(World& world, MapBlock& cell, uint16_t id, uint8_t side, PlacementReporter* reporter) {
  WorldMap& map = world.map();
  const BlockPropsTable& props = map.props();
  const BlockProps& block = props[id];
  if (block.has(bf::kCircuitComponent) && circuitKind(cell) != 0) return false;
  if (id == kLockBlock && side == MapBlock::kFront) {
    // A second lock on a locked cell falls to the general rules below.
    if (!cell.hasDeco(kLockBlock, MapBlock::kFront)) {
      if (reporter == nullptr) return hasRoomForDeco(map, cell, id, side);
      if (isLockableContainer(cell.frontId())) return reporter->mayLock(cell);
      return refuse(reporter, placement_text::kLockOnlyOnContainers);
    }
  } else if (!props[block_word::id(cell.layerWord(side))].opaque() && !isFlowerPot(id) &&
             !block.has(bf::kLinkedDeco) && !block.has(bf::kSpecialDeco)) {
    return false;
  }
  if (block.has(bf::kLinkedDeco)) {
    for (MapDeco deco : cell.decos) {
      if (!map_deco::empty(deco) && props[map_deco::id(deco)].has(bf::kLinkedDeco)) return false;
    }
    return frontHas(map, cell, bf::kAcceptsLinkedDeco);
  }
  if (block.has(bf::kSpecialDeco) && !frontHas(map, cell, bf::kPlantWithSeeds)) return specialDecoAllowed(map, cell);
  if (isFlowerPot(id) && frontHas(map, cell, bf::kShelf) && !cell.hasAnyDeco(MapBlock::kFront)) {
    const LogicItemBlock* shelf = world.shelves().findAt(cell);
    if (shelf != nullptr && shelf->holdsAnyItem()) return refuse(reporter, placement_text::kPotNeedsEmptyShelf);
    return true;
  }
  if (id == kWebDeco) {
    if (cell.findDeco(kWebDeco) || cell.findDeco(kWebBlockerDeco)) return false;
  } else if (blockingAttachmentOn(map, cell, side)) {
    return false;
  }
  return hasRoomForDeco(map, cell, id, side);
}

bool hasSupportBelow(WorldMap& map, const MapBlock& cell, uint16_t id) {
  const MapBlock* below = cell.neighbourDown(map);
  if (below == nullptr) return false;
  const BlockProps& under = frontProps(map, *below);
  const BlockProps& block = map.props()[id];
  if (under.has(bf::kStacksOnItself) && block.has(bf::kStacksOnItself)) return true;
  if (under.has(bf::kStackingPieces) && block.has(bf::kStackingPieces)) return true;
  if (under.has(bf::kShelf) && below->hasAnyDeco(MapBlock::kFront) && block.has(bf::kStackingPlant)) return true;
  if (!under.fullyClear()) return true;
  return below->isSolid(map.props()) && below->frontId() != kToggleBlock;
}

bool isCellCovered(const WorldMap& map, const MapBlock& cell) {
  return cell.isBelowSurface(map) || cell.backId() != 0;
}

bool isSideOpenFor(WorldMap& map, const MapBlock& cell, uint16_t id, uint8_t mask) {
  if (!map.props()[id].has(bf::kAttachesToSide)) {
    return id != kVariantZeroOnly || cell.frontVariant() == 0;
  }
  const bool vertical = (mask & 2) != 0 ? frontOpaque(map, cell.neighbourUp(map)) : frontOpaque(map, cell.neighbourDown(map));
  if ((mask & 4) != 0) return frontOpaque(map, cell.neighbourLeft(map)) || vertical;
  return frontOpaque(map, cell.neighbourRight(map)) || vertical;
}

namespace {

uint8_t oneSideRule(WorldMap& map, const MapBlock& cell, uint16_t id, bool keepCurrent, uint8_t other) {
  if (keepCurrent && cell.blockState() != other) return isSideOpenFor(map, cell, id, other) ? other : kNoSide;
  if (isSideOpenFor(map, cell, id, 0)) return 0;
  return isSideOpenFor(map, cell, id, other) ? other : kNoSide;
}

uint8_t ringRule(WorldMap& map, const MapBlock& cell, uint16_t id, bool keepCurrent) {
  static constexpr std::array<uint8_t, 4> kPlainRing = {0, 1, 2, 3};
  static constexpr std::array<uint8_t, 4> kAttachRing = {0, 4, 6, 2};
  const auto& ring = frontHas(map, cell, bf::kAttachRing) ? kPlainRing : kAttachRing;
  size_t start = 0;
  int tries = 4;
  if (keepCurrent) {
    for (size_t i = 0; i < ring.size(); ++i) {
      if (ring[i] == cell.blockState()) start = i + 1;
    }
    tries = 3;
  }
  for (int t = 0; t < tries; ++t) {
    const uint8_t side = ring[(start + static_cast<size_t>(t)) % ring.size()];
    if (isSideOpenFor(map, cell, id, side)) return side;
  }
  return kNoSide;
}

}  // namespace

uint8_t attachSideFor(WorldMap& map, const MapBlock& cell, uint16_t id, bool keepCurrent) {
  const BlockProps& block = map.props()[id];
  const bool a = block.has(bf::kAttachSideA), b = block.has(bf::kAttachSideB), ring = block.has(bf::kAttachRing);
  if (a && !b && !ring) return oneSideRule(map, cell, id, keepCurrent, 4);
  if (b && !a && !ring) return oneSideRule(map, cell, id, keepCurrent, 2);
  if (!a && !b && !ring) {
    if (keepCurrent) return cell.blockState();
    return isSideOpenFor(map, cell, id, 0) ? 0 : kNoSide;
  }
  return ringRule(map, cell, id, keepCurrent);
}
