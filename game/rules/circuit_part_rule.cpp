#include "game/rules/circuit_part_rule.h"

#include "content/items/item.h"
#include "game/rules/item_placement_rules.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"

uint8_t circuitKindPlacedBy(const Item* item) {
  if (item == nullptr || item->isNone()) return circuit_kind::kNone;
  for (const CircuitPart& part : circuitParts()) {
    if (part.item != item->id || part.kind == circuit_kind::kNone) continue;
    return part.kind == circuit_kind::kConnectorWire ? circuit_kind::kNone : static_cast<uint8_t>(part.kind);
  }
  return circuit_kind::kNone;
}

bool placesConnectorWire(const Item& item) {
  return !item.isNone() && item.id == circuitPart(circuit_kind::kConnectorWire).item;
}

bool takesCircuitPart(const MapBlock& cell) { return cell.frontId() == 0 && circuitKind(cell) == circuit_kind::kNone; }

BlockEdit placeCircuitPartRule(const MapBlock& cell, const Item& item) {
  const uint8_t kind = circuitKindPlacedBy(&item);
  BlockEdit edit = editForCell(cell, edit_kind::kCircuitPartSet, 0);
  if (kind == circuit_kind::kNone || !takesCircuitPart(cell)) {
    edit.kind = placement_rule::kNoEdit;
    return edit;
  }
  edit.setValueByte(0, kind);
  return edit;
}
