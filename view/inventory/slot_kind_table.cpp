#include "view/inventory/slot_kind_table.h"

#include <array>

namespace {

constexpr std::array<SlotKindRow, kSlotKindRowCount> kRows{{
    {SlotKind::Quick, 19, 53, 54},
    {SlotKind::Backpack, 18, 16, 17},
    {SlotKind::CraftGrid, 21, 20, 22},
    {SlotKind::Single, 26, 24, 25},
    {SlotKind::Trinket, 63, 61, 62},
    {SlotKind::EntityFirst, 290, 291, 292},
    {SlotKind::Equipment, 35, 36, 37},
    {SlotKind::Equipment2, 183, 182, 181},
    {SlotKind::Chest, 57, 55, 56},
    {SlotKind::EntityItem, 2, 0, 1},
    {SlotKind::SecondObject, 15, 13, 14},
    {SlotKind::TradeOffer, 281, 282, 283},
    {SlotKind::AlchemyLab, 307, 308, 309},
    {SlotKind::Catalogue, 12, 10, 11},
}};

}  // namespace

const SlotKindRow* slotKindRow(SlotKind kind) {
  for (const SlotKindRow& row : kRows) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}
