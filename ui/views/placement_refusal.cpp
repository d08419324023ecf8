#include "ui/views/placement_refusal.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "content/texts/language_texts.h"
#include "game/rules/circuit_part_rule.h"
#include "game/rules/flower_pot_rule.h"
#include "game/rules/held_item_placement.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/placement/placement_checks.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace bf = block_flag;
using namespace placement_refusal;

namespace {

// What the block would meet in the cell's liquid, null when the liquid does not stop it.
const char* liquidRefusal(const MapBlock& cell, const BlockProps& block) {
  switch (cell.liquidKind()) {
    case LiquidKind::Water: return block.has(bf::kNotInWater) ? placement_text::kNotInWater : nullptr;
    case LiquidKind::Acid: return block.has(bf::kNotInAcid) ? placement_text::kNotInAcid : nullptr;
    case LiquidKind::Lava: return block.has(bf::kNotInLava) ? placement_text::kNotInLava : nullptr;
    case LiquidKind::None: break;
  }
  return nullptr;
}

// What the block wants around it that the cell lacks, null when it lacks nothing.
const char* supportRefusal(WorldMap& map, const MapBlock& cell, uint16_t id) {
  const BlockProps& block = map.props()[id];
  if (block.has(bf::kNeedsSupportBelow) && !hasSupportBelow(map, cell, id)) return kNeedsFloor;
  if (block.has(bf::kAttachesToSide) && attachSideFor(map, cell, id, false) == kNoSide) return kNeedsWall;
  if (block.has(bf::kNeedsCover) && !isCellCovered(map, cell)) {
    if (!block.has(bf::kFacesSolidSide)) return kNeedsBackWall;
    const bool sideWall = map.props()[cell.neighbourLeft(map)->frontId()].opaque() ||
                          map.props()[cell.neighbourRight(map)->frontId()].opaque();
    if (!sideWall) return kNeedsSideOrBackWall;
  }
  if (block.has(bf::kNeedsCellAbove)) {
    const MapBlock* above = cell.neighbourUp(map);
    if (above == nullptr || (map.props()[above->frontId()].fullyClear() && !cell.isSolid(map.props()))) {
      return kNeedsAbove;
    }
  }
  return nullptr;
}

// A decoration hangs on the opaque face of a front block; paint, flower pots and class-3
// decorations have rules of their own.
const char* decorationRefusal(const BlockPropsTable& props, const MapBlock& cell, uint16_t id) {
  const BlockProps& front = props[cell.frontId()];
  if (isFlowerPot(id)) return placement_text::kPotNeedsEmptyShelf;
  // Paint goes only on the blocks that take it: a shelf, a chest or a plant takes none.
  if (props[id].has(bf::kSpecialDeco)) {
    const uint16_t painted = cell.frontId() != 0 ? cell.frontId() : cell.backId();
    return props[painted].has(bf::kAcceptsSpecialDeco) ? kNoRoomOnBlock : kCannotBePainted;
  }
  if (!front.opaque() && props[id].transparency == flower_pot_rule::kFrontOnlyTransparency) {
    return languageTexts().text(flower_pot_rule::kTextNoBackSide).c_str();
  }
  if (!front.opaque()) return kNeedsBlockFace;
  return kNoRoomOnBlock;
}

const char* unplaceableRefusal(const BlockPropsTable& props, const MapBlock& cell) {
  if (props[cell.frontId()].has(bf::kFruitPlant)) return kFruitWantsEmptyHand;
  if (props[cell.frontId()].has(bf::kShelf)) return kShelfHasNoRoom;
  return kCannotPlace;
}

}  // namespace

const char* placementRefusal(World& world, MapBlock& cell, const Item& held, bool playerInCell) {
  WorldMap& map = world.map();
  const ItemDef* def = held.definition();
  const uint16_t id = def != nullptr ? def->record.placesBlock() : 0;
  switch (placementWayOf(world, held)) {
    case PlacementWay::None:
      return placesConnectorWire(held) ? kConnectorNotPlaced : unplaceableRefusal(map.props(), cell);
    case PlacementWay::CircuitPart: return cell.frontId() != 0 ? kPartWantsOpenCell : kPartCellTaken;
    case PlacementWay::Decoration: return decorationRefusal(map.props(), cell, id);
    case PlacementWay::Block: break;
  }
  if (world.effects().blocksPlacementIn(cell)) return kSomethingInTheWay;
  if (playerInCell) return kYouAreInTheWay;
  if (const char* liquid = liquidRefusal(cell, map.props()[id])) return liquid;
  if (const char* support = supportRefusal(map, cell, id)) return support;
  const bool frontTaken = cell.frontId() != 0 && !map.props()[cell.frontId()].has(bf::kReplaceableByPlanting);
  // A block that is not solid goes into an open cell only, never into the ground.
  if (frontTaken && (cell.backId() != 0 || !map.props()[id].has(bf::kSolid))) return kCellTaken;
  return kCannotPlaceHere;
}
