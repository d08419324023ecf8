#pragma once
// The element ids an inventory cell of each slot kind takes: its own, the normal one and the
// selected one. The cell shows the kind's normal frame of the interface atlas while its state is
// the normal id and the other frame otherwise (content/art/interface_layout.h). One row per slot
// kind; the none kind has no row.

#include <cstdint>

#include "game/inventory/slot_ref.h"

struct SlotKindRow {
  SlotKind kind = SlotKind::None;
  uint32_t elementId = 0;
  uint32_t normalId = 0;
  uint32_t selectedId = 0;
};

inline constexpr int kSlotKindRowCount = 14;

// The row of a slot kind; null for the none kind and anything outside the table.
const SlotKindRow* slotKindRow(SlotKind kind);
