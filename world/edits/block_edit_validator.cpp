#include "world/edits/block_edit_validator.h"

#include "content/items/block_edit.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"

namespace {

constexpr uint16_t kBlockIdLimit = 4096;
constexpr uint8_t kFindById = 255;

// Blast description bytes (value bytes 0-6).
constexpr size_t kEntityRadius = 3;
constexpr size_t kBlockRadius = 4;

EditRefusal checkBlockFields(const BlockEdit& edit) {
  if (edit.blockId >= kBlockIdLimit) return EditRefusal::BlockId;
  if (edit.variant > 7) return EditRefusal::Variant;
  if (edit.state > 7) return EditRefusal::State;
  if (edit.layer > 1) return EditRefusal::Layer;
  return EditRefusal::None;
}

EditRefusal checkDecoEdit(const BlockEdit& edit, bool findByIdAllowed) {
  const bool findById = findByIdAllowed && edit.slot == kFindById;
  if (edit.slot > 3 && !findById) return EditRefusal::Slot;
  if (edit.blockId >= kBlockIdLimit) return EditRefusal::BlockId;
  if (edit.layer > 1) return EditRefusal::Layer;
  if (edit.variant > 7) return EditRefusal::Variant;
  return EditRefusal::None;
}

EditRefusal checkLiquidEdit(const BlockEdit& edit) {
  return edit.valueByte(1) > 3 ? EditRefusal::LiquidKind : EditRefusal::None;
}

EditRefusal checkCircuitSetting(const BlockEdit& edit, const WorldMap& map) {
  if (edit.extra != 0) return EditRefusal::Setting;  // the setting is six bytes, nothing after
  // Only the setting of the cell's own device: any other writes into the wrong memory.
  const MapBlock* cell = map.cellAt(edit.x, edit.y);
  return cell != nullptr && circuitSettingTag(*cell) == edit.valueByte(0) ? EditRefusal::None : EditRefusal::Setting;
}

EditRefusal checkBlast(const BlockEdit& edit) {
  // A force divisor of 0 is read as 1 by the blast itself, so it passes here.
  if ((edit.extra >> 8) != 0) return EditRefusal::Blast;  // seven bytes, nothing after
  if (edit.valueByte(kBlockRadius) > kLargestBlastRadius) return EditRefusal::Blast;
  if (edit.valueByte(kEntityRadius) > kLargestEntityRadius) return EditRefusal::Blast;
  return EditRefusal::None;
}

}  // namespace

EditRefusal validateBlockEdit(const BlockEdit& edit, const WorldMap& map) {
  if (edit.kind < edit_kind::kFirst || edit.kind > edit_kind::kLast) return EditRefusal::Kind;
  if (edit.y >= map.height()) return EditRefusal::Row;
  switch (edit.kind) {
    case edit_kind::kSetLayerBlock:
    case edit_kind::kAttach:
    case edit_kind::kPlace:
    case edit_kind::kSetLayerQuietly:
    case edit_kind::kReplace:
      return checkBlockFields(edit);
    case edit_kind::kBreakEffects:
    case edit_kind::kRemoveLayer:
      return edit.layer > 1 ? EditRefusal::Layer : EditRefusal::None;
    case edit_kind::kRemoveDeco:
      return checkDecoEdit(edit, true);
    case edit_kind::kSetDeco:
      return checkDecoEdit(edit, false);
    case edit_kind::kCircuitPartSet:
      return edit.valueByte(0) > kLargestCircuitKind ? EditRefusal::CircuitKind : EditRefusal::None;
    case edit_kind::kCircuitSetting:
      return checkCircuitSetting(edit, map);
    case edit_kind::kSetState:
      return edit.state > 7 ? EditRefusal::State : EditRefusal::None;
    case edit_kind::kLiquidStarts:
    case edit_kind::kLiquidStops:
    case edit_kind::kLiquidArrives:
    case edit_kind::kLiquidLeaves:
      return checkLiquidEdit(edit);
    case edit_kind::kExplosion:
      return checkBlast(edit);
    default:
      return EditRefusal::None;  // kinds 11 and 13 carry nothing that indexes anything
  }
}
