#pragma once
// The few player values that an item's derived numbers depend on: how fast the held item swings,
// how hard it mines and how much it hurts. The game rules fill it from the player's equipment.

struct PlayerStatsBlock {
  float toolSpeedBonus = 0;    // a tool's use interval shrinks by this fraction
  float weaponSpeedBonus = 0;  // the same for melee weapons
  float rangedSpeedBonus = 0;  // the same for ranged weapons
  float miningFactor = 1;      // multiplies a tool's mining power
  float toolDamage = 0.5f;     // what a tool hits for
  float bareHandDamage = 0.4f; // what an empty hand hits for
};
