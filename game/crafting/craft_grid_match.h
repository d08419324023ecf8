#pragma once
// Which recipe the items laid out in the 3x3 craft grid make: the first row of the recipe table,
// in table order, whose cell count and layout fit, then whether the station and the output slot
// let it be made (a row of a station that is not at hand names that station). Main thread only.

#include <cstdint>

#include "game/inventory/slot_ref.h"

class Inventory;

enum class GridMatch : uint8_t {
  Ready = 0,
  Empty = 1,
  WrongStation = 2,  // `station` says which one is needed
  NoRecipe = 3,
  OutputTaken = 4,   // the output holds an unstackable item of the result
};

struct CraftGridMatch {
  GridMatch status = GridMatch::Empty;
  int recipe = -1;  // row of the recipe table; -1 when none matched
  uint8_t station = 0;
};

// Grid cell 3 r + c (row r, column c) as an inventory slot.
SlotRef craftGridSlot(int cell);

// The grid and the output are the inventory's craft grid and single slot; `stationInUse` is its
// crafting station (`Inventory::station`).
CraftGridMatch matchCraftGrid(const Inventory& inventory, uint8_t stationInUse);
