#pragma once
// What each kind of inventory slot looks like on screen: the three element ids its sprite takes
// (its own, normal and selected) and the frame drawn from the interface atlas while the sprite is
// in its normal state and otherwise. One row per slot kind; the none kind has no row.

#include <cstdint>

#include "engine/base/geometry.h"
#include "game/inventory/slot_ref.h"

struct SlotKindRow {
  SlotKind kind = SlotKind::None;
  uint32_t elementId = 0;
  uint32_t normalId = 0;
  uint32_t selectedId = 0;
  engine::Rect normalFrame;
  engine::Rect otherFrame;
};

inline constexpr int kSlotKindRowCount = 14;

// The row of a slot kind; null for the none kind and anything outside the table.
const SlotKindRow* slotKindRow(SlotKind kind);
