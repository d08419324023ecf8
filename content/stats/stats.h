#pragma once
// A player's stats record: what equipment and potion effects add up to. The game rules own the
// computation that fills it; the potion effects only raise fields and set flag bits.

#include <cstdint>

#include "engine/base/geometry.h"

// The flag bits of `Stats::flags`. Effects only ever set them.
enum StatsFlag : uint32_t {
  STATS_INVULNERABLE = 1u << 0,
  STATS_INVISIBLE = 1u << 1,
  STATS_LOW_GRAVITY = 1u << 2,
  STATS_HIGH_GRAVITY = 1u << 3,
  STATS_SLOW_FALL = 1u << 5,
  STATS_TINTED = 1u << 6,
  STATS_PICK_EXPERTISE = 1u << 10,
  STATS_DIG_EXPERTISE = 1u << 11,
  STATS_POUND_EXPERTISE = 1u << 12,
  STATS_CHOP_EXPERTISE = 1u << 13,
  STATS_FIRM_FEET = 1u << 14,
  STATS_FEMALE = 1u << 16,
  STATS_MALE = 1u << 17,
  STATS_GIANT = 1u << 18,
  STATS_DWARF = 1u << 19,
};

struct Stats {
  uint32_t flags = 0;
  // The body tint while `STATS_TINTED` is set: one of the constant palette colours, never owned.
  const engine::Color3B* tint = nullptr;

  float slashBonus = 0;
  float bluntBonus = 0;
  float pierceBonus = 0;
  float magicBonus = 0;
  float slashDefense = 0;
  float bluntDefense = 0;
  float pierceDefense = 0;
  float magicDefense = 0;
  float lavaResist = 0;
  float acidResist = 0;
  float breathResist = 0;
  float explosionResist = 0;
  float fallResist = 0;
  float walkBonus = 0;
  float climbBonus = 0;
  float jumpBonus = 0;
  float swimBonus = 0;
  float attackSpeedBonus = 0;
  float breakSpeedBonus = 0;
  float throwSpeedBonus = 0;
  float meleeCritical = 0;
  float rangedCritical = 0;
  float healingBonus = 0;
  float healthRegen = 0;
  float meleeKnockback = 0;
  float rangedKnockback = 0;
  float throwPower = 0;
  float saveAmmo = 0;
  float spikeDamage = 0;
  float luckChance = 0;
  float luckAmount = 0;
  float lifeLeech = 0;
  float handsSkill = 0;
  float handsPower = 0;
  float toolsEquivalence = 0;
  float breakMultiplier = 0;

  bool hasFlag(uint32_t flag) const { return (flags & flag) == flag; }
  bool operator==(const Stats&) const = default;
};
