#pragma once
// Which inventory areas a difficulty drops when its player dies, read from the difficulty's
// content row: byte 80 the quick slots, byte 81 the backpack (with the craft grid and the loose
// slot), byte 82 what is worn. Over the five difficulties the flags run: none, none, backpack,
// backpack and worn, all three.

#include <cstddef>

#include "content/tables/difficulty_row.h"

struct DropAreas {
  static constexpr size_t kQuickByte = 80;
  static constexpr size_t kBackpackByte = 81;
  static constexpr size_t kWornByte = 82;

  bool backpack = false;
  bool quick = false;
  bool worn = false;
};

inline DropAreas dropAreasOf(const DifficultyRow& row) {
  return {row.bytes[DropAreas::kBackpackByte] != 0, row.bytes[DropAreas::kQuickByte] != 0,
          row.bytes[DropAreas::kWornByte] != 0};
}
