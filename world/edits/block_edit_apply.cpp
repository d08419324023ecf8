// World::applyBlockEdit: the host's (and single play's) road for every cell change. Around the
// cell change itself it runs what only the host decides: block entities and their drops, the
// loot of a removed decoration or circuit part, waking what rested on a cell that opened, and
// the rules' reactions to liquids.

#include <cassert>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "engine/base/main_thread.h"
#include "world/circuits/circuit_cells.h"
#include "world/edits/block_edit_validator.h"
#include "world/edits/circuit_part_items.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr uint8_t kDropKind = 7;
constexpr uint8_t kConnectorWireKind = 2;

void dropOne(LogicEntities& rules, const MapBlock& cell, uint16_t itemId) {
  if (itemId == kNoPartItem) return;
  if (ItemPtr item = newItem(itemId, 0, 1, -1, 0)) rules.spawnItemDrop(std::move(item), cellPixelPosition(cell), kDropKind);
}

bool closedForLightOrMovement(const WorldMap& map, const MapBlock& cell) {
  return cell.opaqueForScans(map.props()) || cell.blocksMovement(map.props());
}

}  // namespace

void World::dropCircuitPartItems(MapBlock& cell) {
  if (isCreative()) return;
  LogicEntities& rules = this->rules();
  const uint8_t kind = circuitKind(cell);
  if (kind == kConnectorWireKind) dropOne(rules, cell, kConnectorExtraItem);
  dropOne(rules, cell, circuitPartItemFor(kind));
}

EditResult World::applyBlockEdit(const BlockEdit& edit, PlayerBase* context) {
  assert(engine::isMainThread() && "a played world is edited on the main thread only");
  if (validateBlockEdit(edit, *map_) != EditRefusal::None) return EditResult::refused();
  MapBlock& cell = *map_->cellAt(edit.x, edit.y);
  switch (edit.kind) {
    case edit_kind::kRemoveLayer:
      removeBlockEntityAt(cell, edit.layer, context, edit.extra != 0);
      break;
    case edit_kind::kRemoveDeco:
      if (edit.slot < 4 && !map_deco::empty(cell.decos[edit.slot])) {
        rules().dropBlockLoot(cell, map_deco::id(cell.decos[edit.slot]), context);
      }
      break;
    case edit_kind::kCircuitPartRemoved:
      dropCircuitPartItems(cell);
      break;
    default:
      break;
  }
  const bool wasClosed = closedForLightOrMovement(*map_, cell);
  const EditResult result = applyCellChange(edit, context);
  if (wasClosed && !closedForLightOrMovement(*map_, cell)) effects().wakeEntitiesAbove(cell);
  const bool placed = edit.kind == edit_kind::kPlace && cell.frontId() == edit.blockId;
  if (placed || edit.kind == edit_kind::kSetLayerBlock) createBlockEntityFor(cell, edit);
  if (edit.kind == edit_kind::kLiquidLeaves) rules().endFishingAtCell(cell);
  if (edit.kind == edit_kind::kLiquidArrives && cell.liquidKind() == LiquidKind::Lava) {
    rules().effectOnEntitiesAtCell(cell);
  }
  return result;
}
