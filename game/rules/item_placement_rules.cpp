#include "game/rules/item_placement_rules.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_graphical.h"
#include "game/rules/circuit_part_rule.h"
#include "world/seams/entity_effects.h"
#include "world/cells/block_flags.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/placement/placement_checks.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStackingBase1 = 2381;
constexpr uint16_t kStackingBase2 = 2382;
constexpr uint8_t kExtraFacesRight = 4;

BlockEdit cellEdit(const MapBlock& cell, uint8_t kind, uint16_t blockId, uint8_t variant, uint8_t layer) {
  BlockEdit edit = editForCell(cell, kind, blockId);
  edit.variant = variant;
  edit.layer = layer;
  return edit;
}

}  // namespace

BlockEdit placement_rule::noEdit() {
  BlockEdit edit;
  edit.kind = kNoEdit;
  return edit;
}

uint16_t placement_rule::blockPlacedBy(const Item& item) {
  const ItemDef* def = item.definition();
  return def != nullptr ? def->record.placesBlock() : 0;
}

BlockEdit placeBlockItemRule(World& world, MapBlock& cell, uint8_t side, const Item& item) {
  using namespace placement_rule;
  if (world.effects().blocksPlacementIn(cell)) return placement_rule::noEdit();
  if (itemKindOf(&item) != kItemKindBlock) return placement_rule::noEdit();
  const BlockPropsTable& props = world.map().props();
  uint8_t layer = MapBlock::kFront;
  bool allowed = false;
  if (cell.backId() == 0 && props[cell.frontId()].transparency != 0 && side != kSideFront) {
    layer = MapBlock::kBack;
    allowed = side == kSideAny || side == kSideBack;
  } else {
    if (cell.frontId() != 0 && !props[cell.frontId()].has(block_flag::kReplaceableByPlanting)) return placement_rule::noEdit();
    allowed = side == kSideAny || side == kSideFront;
  }
  const uint16_t block = placement_rule::blockPlacedBy(item);
  if (!allowed || block == 0) return placement_rule::noEdit();
  return cellEdit(cell, edit_kind::kSetLayerBlock, block, randomVariantFor(props, block), layer);
}

BlockEdit placeAttachmentRule(World& world, const PlayerGraphical& player, MapBlock& cell, const Item& item) {
  const uint16_t block = placement_rule::blockPlacedBy(item);
  if (block == 0) return placement_rule::noEdit();
  const BlockPropsTable& props = world.map().props();
  const uint16_t front = cell.frontId();
  if (front != 0 && !props[front].has(block_flag::kReplaceableByPlanting) && !props[front].has(block_flag::kSolid)) {
    const bool fits = props[block].has(block_flag::kSolid) ||
                      (props[block].has(block_flag::kStackingPlant) && (front == kStackingBase1 || front == kStackingBase2));
    if (!fits) return placement_rule::noEdit();
  }
  if (item.id == placement_rule::kSeedItem) {
    const uint8_t variant = props[block].variantCount >= 2 ? randomVariantFor(props, block) : 0;
    BlockEdit edit = cellEdit(cell, edit_kind::kPlace, block, variant, MapBlock::kFront);
    edit.slot = 255;
    edit.state = 0;
    edit.extra = static_cast<uint16_t>(item.word & 0xFFFF);
    return edit;
  }
  BlockEdit edit = cellEdit(cell, edit_kind::kPlace, block, 0, MapBlock::kFront);
  const bool facesRight = props[block].has(block_flag::kAttachSideA) && cell.x > player.cellX;
  edit.extra = facesRight ? kExtraFacesRight : 0;
  return edit;
}

BlockEdit placeHeldBlockRule(World& world, const PlayerGraphical& player, MapBlock& cell, const Item& item) {
  using namespace placement_rule;
  // A wire or a gate goes into the open cell's circuit, not in place of a block.
  if (circuitKindPlacedBy(&item) != 0) return placeCircuitPartRule(cell, item);
  const BlockPropsTable& props = world.map().props();
  const uint16_t block = placement_rule::blockPlacedBy(item);
  const uint16_t front = cell.frontId();
  // A block that is not itself solid (a station, a torch, a chair) set into solid ground would
  // push the ground aside into a decoration and stand hidden inside it, working from there.
  if (!props[block].has(block_flag::kSolid) && front != 0 && props[front].has(block_flag::kSolid) &&
      !props[front].has(block_flag::kReplaceableByPlanting)) {
    return placement_rule::noEdit();
  }
  if (props[block].has(block_flag::kNeedsCover)) {
    // Set into any block it would be drawn inside it and light nothing.
    if (front != 0 && !props[front].has(block_flag::kReplaceableByPlanting)) return placement_rule::noEdit();
    // Asked here, quietly, what holds it, so the pointed-cell highlight and the click agree with
    // the rules that would refuse it in open air; such a refusal has no message to lose.
    if (!checkPlaceBlock(world, cell, block, nullptr)) return placement_rule::noEdit();
    return placeAttachmentRule(world, player, cell, item);
  }
  BlockEdit edit = placeBlockItemRule(world, cell, kSideFront, item);
  if (edit.kind == kNoEdit) edit = placeBlockItemRule(world, cell, kSideAny, item);
  if (edit.kind == kNoEdit) edit = placeAttachmentRule(world, player, cell, item);
  return edit;
}
