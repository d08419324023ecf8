#include "view/slot_kind_table.h"

#include <array>

namespace {

using engine::Rect;

const std::array<SlotKindRow, kSlotKindRowCount>& rows() {
  static const std::array<SlotKindRow, kSlotKindRowCount> table{{
      {SlotKind::Quick, 19, 53, 54, Rect(365, 394, 20, 20), Rect(365, 415, 20, 20)},
      {SlotKind::Backpack, 18, 16, 17, Rect(450, 381, 21, 21), Rect(450, 404, 21, 21)},
      {SlotKind::CraftGrid, 21, 20, 22, Rect(203, 125, 20, 20), Rect(224, 125, 20, 20)},
      {SlotKind::Single, 26, 24, 25, Rect(203, 125, 20, 20), Rect(224, 125, 20, 20)},
      {SlotKind::Trinket, 63, 61, 62, Rect(77, 125, 20, 20), Rect(98, 125, 20, 20)},
      {SlotKind::EntityFirst, 290, 291, 292, Rect(215, 148, 19, 19), Rect(235, 148, 19, 19)},
      {SlotKind::Equipment, 35, 36, 37, Rect(119, 125, 20, 20), Rect(140, 125, 20, 20)},
      {SlotKind::Equipment2, 183, 182, 181, Rect(161, 125, 20, 20), Rect(182, 125, 20, 20)},
      {SlotKind::Chest, 57, 55, 56, Rect(576, 266, 20, 20), Rect(597, 266, 20, 20)},
      {SlotKind::EntityItem, 2, 0, 1, Rect(211, 362, 22, 22), Rect(332, 371, 22, 22)},
      {SlotKind::SecondObject, 15, 13, 14, Rect(215, 148, 19, 19), Rect(235, 148, 19, 19)},
      {SlotKind::TradeOffer, 281, 282, 283, Rect(119, 125, 20, 20), Rect(140, 125, 20, 20)},
      {SlotKind::AlchemyLab, 307, 308, 309, Rect(211, 362, 22, 22), Rect(332, 371, 22, 22)},
      {SlotKind::Catalogue, 12, 10, 11, Rect(450, 381, 21, 21), Rect(450, 404, 21, 21)},
  }};
  return table;
}

}  // namespace

const SlotKindRow* slotKindRow(SlotKind kind) {
  for (const SlotKindRow& row : rows()) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}
