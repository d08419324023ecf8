#include "game/rules/held_item_placement.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "content/tables/plant_table.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_graphical.h"
#include "game/rules/block_edit_rules.h"
#include "game/rules/circuit_part_rule.h"
#include "game/rules/flower_pot_rule.h"
#include "game/rules/item_placement_rules.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

namespace bf = block_flag;

// Blocks of these transparency classes hang on a cell as its decorations.
constexpr uint8_t kFirstDecorationClass = 2;
constexpr uint8_t kLastDecorationClass = 3;

// A block drawn as a decoration that still takes its cell by its own rules: it climbs, wants a
// roof or a back wall, a side, a floor or the cell above, or it grows there.
bool takesItsCell(const BlockProps& block, uint16_t id) {
  return block.has(bf::kClimbable) || block.has(bf::kNeedsCover) || block.has(bf::kAttachesToSide) ||
         block.has(bf::kNeedsSupportBelow) || block.has(bf::kNeedsCellAbove) || plantRowForBlock(id) != nullptr;
}

}  // namespace

PlacementWay placementWayOf(const World& world, const Item& item) {
  if (item.isNone() || !isPlaceableItem(&item) || placesConnectorWire(item)) return PlacementWay::None;
  if (circuitKindPlacedBy(&item) != 0) return PlacementWay::CircuitPart;
  const uint16_t block = placement_rule::blockPlacedBy(item);
  if (block == 0) return PlacementWay::None;
  const BlockProps& props = world.map().props()[block];
  const bool hangs = props.transparency >= kFirstDecorationClass && props.transparency <= kLastDecorationClass;
  return hangs && !takesItsCell(props, block) ? PlacementWay::Decoration : PlacementWay::Block;
}

BlockEdit placeHeldItemRule(World& world, PlayerGraphical& player, MapBlock& cell, const Item& item, bool tell) {
  switch (placementWayOf(world, item)) {
    case PlacementWay::None: return placement_rule::noEdit();
    case PlacementWay::Decoration: return checkFlowerPotPlacement(world, player, cell, item, tell);
    case PlacementWay::CircuitPart:
    case PlacementWay::Block: return placeHeldBlockRule(world, player, cell, item);
  }
  return placement_rule::noEdit();
}

bool heldItemPlaceable(World& world, PlayerGraphical& player, MapBlock& cell, const Item& item) {
  const BlockEdit edit = placeHeldItemRule(world, player, cell, item, false);
  return edit.kind != placement_rule::kNoEdit && wouldApplyForPlayer(world, world.rules(), edit);
}
