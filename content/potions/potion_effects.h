#pragma once
// The effect that each row of the potion table has on a player's stats while it is active.
// Effects only add to fields and set flag bits, so several active effects add up.

#include <array>
#include <cstdint>

#include "content/potions/potion_def.h"
#include "engine/base/geometry.h"

// The strengths a potion value gives: F from the 4-bit level (bits 2-5), FA and FB from the two
// 2-bit levels (bits 2-3 and 4-5).
struct PotionLevels {
  float f = 0;
  float fa = 0;
  float fb = 0;
};
PotionLevels potionLevels(uint16_t value);

// The effect function of potion row 0..109; rows outside the table do nothing.
PotionEffectFunction potionEffectForRow(int row);

// The constant tint palette: white, grey, then the thirteen potion colours from black to yellow.
constexpr int POTION_PALETTE_SIZE = 15;
const std::array<engine::Color3B, POTION_PALETTE_SIZE>& potionPalette();
