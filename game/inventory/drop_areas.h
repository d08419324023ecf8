#pragma once
// Which inventory areas a difficulty drops when its player dies, read from the difficulty's
// content row (content/tables/difficulty_row.h): the quick slots, the backpack (with the craft
// grid and the loose slot), what is worn. Over the five difficulties the flags run: none, none,
// backpack, backpack and worn, all three.

#include "content/tables/difficulty_row.h"

struct DropAreas {
  bool backpack = false;
  bool quick = false;
  bool worn = false;
};

inline DropAreas dropAreasOf(const DifficultyRow& row) {
  return {row.dropsBackpack(), row.dropsQuickSlots(), row.dropsWorn()};
}
