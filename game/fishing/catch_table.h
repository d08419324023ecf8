#pragma once
// The fishing catch table: 205 fixed rows, each an item that can be caught with its rarity tier
// (0 common to 4 rarest) and the masks that say where and when it bites (liquid, planet, day
// phase, depth band). Rows keep table order within each tier; the draw picks among them by index.

#include <cstdint>
#include <span>

#include "content/items/catch_rule.h"

struct CatchRow {
  CatchRule rule;     // item id and the four masks
  uint8_t tier = 0;
  uint16_t flag = 0;  // 1 for most rows; read by no catch rule
};

constexpr int kCatchTiers = 5;

std::span<const CatchRow> catchTable();
