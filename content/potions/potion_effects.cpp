#include "content/potions/potion_effects.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "content/stats/potion_effect.h"
#include "content/stats/stats.h"

namespace {

enum Strength { F, FA, FB };

struct StatTerm {
  float Stats::*field;
  float factor;
  Strength strength;
};

// Flags to set and fields to raise by a multiple of one of the potion's strengths: the form of
// almost every potion.
struct StatEffect {
  uint32_t flags = 0;
  std::vector<StatTerm> terms;

  void operator()(Stats& stats, const PotionEffect& effect) const {
    stats.flags |= flags;
    const PotionLevels levels = potionLevels(effect.value);
    for (const StatTerm& term : terms) {
      const float strength = term.strength == F    ? levels.f
                             : term.strength == FA ? levels.fa
                                                   : levels.fb;
      stats.*term.field += term.factor * strength;
    }
  }
};

PotionEffectFunction tintEffect(int paletteIndex) {
  return [paletteIndex](Stats& stats, const PotionEffect&) {
    stats.flags |= STATS_TINTED;
    stats.tint = &potionPalette()[static_cast<size_t>(paletteIndex)];
  };
}

void archery(Stats& stats, const PotionEffect& effect) {
  const PotionLevels levels = potionLevels(effect.value);
  stats.pierceBonus += levels.fa;
  // This one sum is formed in double precision.
  stats.rangedCritical = static_cast<float>(static_cast<double>(stats.rangedCritical) +
                                            0.25 * static_cast<double>(levels.fb));
}

void healthBoost(Stats& stats, const PotionEffect& effect) {
  const PotionLevels levels = potionLevels(effect.value);
  stats.healthRegen = 3.0f * levels.fa + stats.healthRegen + 0.5f * levels.fb;
}

void prayer(Stats& stats, const PotionEffect& effect) {
  const PotionLevels levels = potionLevels(effect.value);
  stats.healingBonus += 0.2f * levels.f;
  stats.healthRegen += 2.0f * levels.f;
  stats.healthRegen += 0.4f * levels.f;
}

void wrestler(Stats& stats, const PotionEffect& effect) {
  const float x = 0.25f * potionLevels(effect.value).f;
  stats.attackSpeedBonus -= x;
  stats.slashBonus += x;
  stats.pierceBonus += x;
  stats.bluntBonus += x;
}

PotionEffectFunction statEffect(int row) {
  switch (row) {
    case 0:  // "Giants"
      return StatEffect{STATS_GIANT, {}};
    case 1:  // "Dwarves"
      return StatEffect{STATS_DWARF, {}};
    case 2:  // "Male Gender"
      return StatEffect{STATS_MALE, {}};
    case 3:  // "Female Gender"
      return StatEffect{STATS_FEMALE, {}};
    case 4:  // "Invisibility"
      return StatEffect{STATS_INVISIBLE, {}};
    case 18:
    case 26:  // "Explosion Resistance"
      return StatEffect{0, {{&Stats::explosionResist, 1.0f, F}}};
    case 19:  // "Lava Resistance"
      return StatEffect{0, {{&Stats::lavaResist, 1.0f, F}}};
    case 20:  // "Acid Resistance"
      return StatEffect{0, {{&Stats::acidResist, 1.0f, F}}};
    case 21:  // "Drowning Resistance"
      return StatEffect{0, {{&Stats::breathResist, 1.0f, F}}};
    case 22:  // "Lava/Acid Resistance"
      return StatEffect{0, {{&Stats::acidResist, 0.5f, FA}, {&Stats::lavaResist, 0.5f, FB}}};
    case 23:  // "Acid/Drowning Resistance"
      return StatEffect{0, {{&Stats::acidResist, 0.5f, FA}, {&Stats::breathResist, 0.5f, FB}}};
    case 24:  // "Lava/Drowning Resistance"
      return StatEffect{0, {{&Stats::breathResist, 0.5f, FA}, {&Stats::lavaResist, 0.5f, FB}}};
    case 25:  // "Featherlight"
      return StatEffect{0, {{&Stats::fallResist, 1.0f, F}}};
    case 27:  // "Falling/Explosion Resistance"
      return StatEffect{0, {{&Stats::fallResist, 0.5f, FA}, {&Stats::explosionResist, 0.5f, FB}}};
    case 28:  // "Resistance To All"
      return StatEffect{0,
                        {{&Stats::acidResist, 0.5f, F},
                         {&Stats::lavaResist, 0.5f, F},
                         {&Stats::breathResist, 0.5f, F},
                         {&Stats::fallResist, 0.5f, F},
                         {&Stats::explosionResist, 0.5f, F}}};
    case 29:
    case 30:  // "Firm Feet", "Metal Feet"
      return StatEffect{STATS_FIRM_FEET, {}};
    case 31:  // "Slash Damage"
      return StatEffect{0, {{&Stats::slashBonus, 1.0f, F}}};
    case 32:  // "Pierce Damage"
      return StatEffect{0, {{&Stats::pierceBonus, 1.0f, F}}};
    case 33:  // "Blunt Damage"
      return StatEffect{0, {{&Stats::bluntBonus, 1.0f, F}}};
    case 34:  // "Magician"
      return StatEffect{0, {{&Stats::magicBonus, 1.0f, F}}};
    case 35:  // "Slash/Pierce Damage"
      return StatEffect{0, {{&Stats::slashBonus, 0.5f, FA}, {&Stats::pierceBonus, 0.5f, FB}}};
    case 36:  // "Slash/Blunt Damage"
      return StatEffect{0, {{&Stats::slashBonus, 0.5f, FA}, {&Stats::bluntBonus, 0.5f, FB}}};
    case 37:  // "Blunt/Pierce Damage"
      return StatEffect{0, {{&Stats::bluntBonus, 0.5f, FA}, {&Stats::pierceBonus, 0.5f, FB}}};
    case 38:  // "Physical Damage"
      return StatEffect{0,
                        {{&Stats::slashBonus, 0.5f, F},
                         {&Stats::pierceBonus, 0.5f, F},
                         {&Stats::bluntBonus, 0.5f, F}}};
    case 39:  // "All Damage"
      return StatEffect{0,
                        {{&Stats::slashBonus, 0.5f, F},
                         {&Stats::pierceBonus, 0.5f, F},
                         {&Stats::bluntBonus, 0.5f, F},
                         {&Stats::magicBonus, 0.5f, F}}};
    case 40:  // "Slash Skill"
      return StatEffect{0, {{&Stats::slashBonus, 0.5f, FA}, {&Stats::meleeCritical, 0.25f, FB}}};
    case 41:  // "Pierce Skill"
      return StatEffect{0, {{&Stats::pierceBonus, 0.5f, FA}, {&Stats::meleeCritical, 0.25f, FB}}};
    case 42:  // "Blunt Skill"
      return StatEffect{0, {{&Stats::bluntBonus, 0.5f, FA}, {&Stats::meleeCritical, 0.25f, FB}}};
    case 43:  // "Wizardry"
      return StatEffect{0, {{&Stats::magicBonus, 0.5f, FA}, {&Stats::meleeCritical, 0.25f, FB}}};
    case 44:  // "Melee Skill"
      return StatEffect{0,
                        {{&Stats::slashBonus, 0.25f, FA},
                         {&Stats::pierceBonus, 0.25f, FA},
                         {&Stats::bluntBonus, 0.25f, FA},
                         {&Stats::meleeCritical, 0.25f, FB}}};
    case 45:  // "Melee Precision"
      return StatEffect{0, {{&Stats::meleeCritical, 0.75f, F}}};
    case 46:  // "Precision"
      return StatEffect{0, {{&Stats::rangedCritical, 0.3f, FA}, {&Stats::meleeCritical, 0.3f, FB}}};
    case 47:  // "Ranged Precision"
      return StatEffect{0, {{&Stats::rangedCritical, 0.75f, F}}};
    case 48:  // "Slash Defense"
      return StatEffect{0, {{&Stats::slashDefense, 1.0f, F}}};
    case 49:  // "Pierce Defense"
      return StatEffect{0, {{&Stats::pierceDefense, 1.0f, F}}};
    case 50:  // "Blunt Defense"
      return StatEffect{0, {{&Stats::bluntDefense, 1.0f, F}}};
    case 51:  // "Magic Defense"
      return StatEffect{0, {{&Stats::magicDefense, 1.0f, F}}};
    case 52:  // "Golem Defense"
      return StatEffect{0, {{&Stats::slashDefense, 0.5f, FA}, {&Stats::pierceDefense, 0.5f, FB}}};
    case 53:  // "Slash/Blunt Defense"
      return StatEffect{0, {{&Stats::slashDefense, 0.5f, FA}, {&Stats::bluntDefense, 0.5f, FB}}};
    case 54:  // "Blunt/Pierce Defense"
      return StatEffect{0, {{&Stats::bluntDefense, 0.5f, FA}, {&Stats::pierceDefense, 0.5f, FB}}};
    case 55:  // "Physical Defense"
      return StatEffect{0,
                        {{&Stats::slashDefense, 0.5f, F},
                         {&Stats::pierceDefense, 0.5f, F},
                         {&Stats::bluntDefense, 0.5f, F}}};
    case 56:  // "All Defense"
      return StatEffect{0,
                        {{&Stats::slashDefense, 0.5f, F},
                         {&Stats::pierceDefense, 0.5f, F},
                         {&Stats::bluntDefense, 0.5f, F},
                         {&Stats::magicDefense, 0.5f, F}}};
    case 57:  // "Runner"
      return StatEffect{0, {{&Stats::walkBonus, 0.75f, F}}};
    case 58:  // "Hopper"
      return StatEffect{0, {{&Stats::jumpBonus, 0.75f, F}}};
    case 59:  // "Cliffhanger"
      return StatEffect{0, {{&Stats::climbBonus, 0.75f, F}}};
    case 60:  // "Aquatic"
      return StatEffect{0, {{&Stats::swimBonus, 0.75f, F}}};
    case 61:  // "Walk/Jump Movement"
      return StatEffect{0, {{&Stats::walkBonus, 0.5f, FA}, {&Stats::jumpBonus, 0.5f, FB}}};
    case 62:  // "Walk/Climb Movement"
      return StatEffect{0, {{&Stats::walkBonus, 0.5f, FA}, {&Stats::climbBonus, 0.5f, FB}}};
    case 63:  // "Climb/Jump Movement"
      return StatEffect{0, {{&Stats::climbBonus, 0.5f, FA}, {&Stats::jumpBonus, 0.5f, FB}}};
    case 64:  // "Walk/Swim Movement"
      return StatEffect{0, {{&Stats::walkBonus, 0.5f, FA}, {&Stats::swimBonus, 0.5f, FB}}};
    case 65:  // "Speed"
      return StatEffect{0,
                        {{&Stats::walkBonus, 0.35f, F},
                         {&Stats::jumpBonus, 0.35f, F},
                         {&Stats::climbBonus, 0.35f, F},
                         {&Stats::swimBonus, 0.35f, F}}};
    case 66:  // "Thorns"
      return StatEffect{0, {{&Stats::spikeDamage, 1.0f, F}}};
    case 67:  // "Reactive Armor"
      return StatEffect{0,
                        {{&Stats::spikeDamage, 1.0f, FA},
                         {&Stats::slashDefense, 0.25f, FB},
                         {&Stats::pierceDefense, 0.25f, FB},
                         {&Stats::bluntDefense, 0.25f, FB},
                         {&Stats::magicDefense, 0.25f, FB}}};
    case 68:  // "Vampirism"
      return StatEffect{0, {{&Stats::lifeLeech, 0.5f, F}}};
    case 69:  // "Living Armor"
      return StatEffect{0, {{&Stats::spikeDamage, 0.8f, FA}, {&Stats::lifeLeech, 0.4f, FB}}};
    case 70:  // "Throw Power"
      return StatEffect{0, {{&Stats::throwPower, 0.75f, F}}};
    case 71:  // "Save Ammo"
      return StatEffect{0, {{&Stats::saveAmmo, 0.5f, F}}};
    case 72:  // "Bullet Skill"
      return StatEffect{0, {{&Stats::saveAmmo, 0.3f, FA}, {&Stats::throwPower, 0.5f, FB}}};
    case 74:  // "Hunting"
      return StatEffect{0, {{&Stats::pierceBonus, 1.0f, FA}, {&Stats::throwPower, 0.5f, FB}}};
    case 75:  // "Health Regen"
      return StatEffect{0, {{&Stats::healthRegen, 1.0f, F}}};
    case 76:  // "Health"
      return StatEffect{0, {{&Stats::healthRegen, 5.0f, F}}};
    case 78:  // "Healing Bonus"
      return StatEffect{0, {{&Stats::healingBonus, 0.3f, FA}}};
    case 80:  // "Cleric"
      return StatEffect{0, {{&Stats::healingBonus, 0.3f, FA}, {&Stats::healthRegen, 2.0f, FB}}};
    case 81:  // "Cure"
      return StatEffect{0, {{&Stats::healingBonus, 0.2f, FA}, {&Stats::healthRegen, 0.5f, FB}}};
    case 82:  // "Invulnerability"
      return StatEffect{STATS_INVULNERABLE, {}};
    case 83:  // "Luck"
      return StatEffect{0, {{&Stats::luckChance, 0.5f, F}}};
    case 84:  // "Prosperity"
      return StatEffect{0, {{&Stats::luckAmount, 0.15f, F}}};
    case 85:  // "Charm"
      return StatEffect{0, {{&Stats::luckChance, 0.25f, FA}, {&Stats::luckAmount, 0.1f, FB}}};
    case 86:  // "Dig Expertise"
      return StatEffect{STATS_DIG_EXPERTISE, {}};
    case 87:  // "Pick Expertise"
      return StatEffect{STATS_PICK_EXPERTISE, {}};
    case 88:  // "Pound Expertise"
      return StatEffect{STATS_POUND_EXPERTISE, {}};
    case 89:  // "Chop Expertise"
      return StatEffect{STATS_CHOP_EXPERTISE, {}};
    case 90:  // "Dig Mastering"
      return StatEffect{STATS_DIG_EXPERTISE, {{&Stats::breakMultiplier, 0.4f, F}}};
    case 91:  // "Pick Mastering"
      return StatEffect{STATS_PICK_EXPERTISE, {{&Stats::breakMultiplier, 0.4f, F}}};
    case 92:  // "Pound Mastering"
      return StatEffect{STATS_POUND_EXPERTISE, {{&Stats::breakMultiplier, 0.4f, F}}};
    case 93:  // "Chop Mastering"
      return StatEffect{STATS_CHOP_EXPERTISE, {{&Stats::breakMultiplier, 0.4f, F}}};
    case 94:  // "Tools Expertise"
      return StatEffect{
          STATS_PICK_EXPERTISE | STATS_DIG_EXPERTISE | STATS_POUND_EXPERTISE | STATS_CHOP_EXPERTISE,
          {}};
    case 95:  // "Tools Power"
      return StatEffect{0, {{&Stats::breakMultiplier, 1.0f, F}}};
    case 96:  // "Tools Equivalence"
      return StatEffect{0, {{&Stats::toolsEquivalence, 1.6f, F}}};
    case 97:  // "Breaking"
      return StatEffect{0, {{&Stats::handsPower, 0.8f, FA}, {&Stats::toolsEquivalence, 1.2f, FB}}};
    case 98:  // "Hands Power"
      return StatEffect{0, {{&Stats::handsPower, 1.0f, F}}};
    case 99:  // "Hands Skill"
      return StatEffect{0, {{&Stats::handsPower, 0.7f, FA}, {&Stats::handsSkill, 0.7f, FB}}};
    case 100:  // "Puncher"
      return StatEffect{0, {{&Stats::meleeKnockback, 0.5f, F}}};
    case 101:  // "Batter"
      return StatEffect{0, {{&Stats::rangedKnockback, 0.5f, F}}};
    case 102:  // "Hurricane"
      return StatEffect{0,
                        {{&Stats::rangedKnockback, 0.3f, FA}, {&Stats::meleeKnockback, 0.3f, FB}}};
    case 103:  // "Swiftness"
      return StatEffect{0, {{&Stats::attackSpeedBonus, 0.25f, F}}};
    case 104:  // "Grinder"
      return StatEffect{0, {{&Stats::breakSpeedBonus, 0.25f, F}}};
    case 105:  // "Moonlight"
      return StatEffect{STATS_LOW_GRAVITY, {}};
    case 106:  // "Blackhole"
      return StatEffect{STATS_HIGH_GRAVITY, {}};
    case 107:  // "Quills"
      return StatEffect{STATS_SLOW_FALL, {}};
    case 108:  // "Ninja"
      return StatEffect{0, {{&Stats::throwSpeedBonus, 0.25f, FA}, {&Stats::throwPower, 0.5f, FB}}};
    default:
      return StatEffect{};
  }
}

}  // namespace

PotionLevels potionLevels(uint16_t value) {
  const int level = ((value >> 2) & 15) + 1;
  const int first = ((value >> 2) & 3) + 1;
  const int second = ((value >> 4) & 3) + 1;
  PotionLevels levels;
  levels.f = std::min(static_cast<float>(level) * 6.25f, 100.0f) / 100.0f;
  levels.fa = std::min(static_cast<float>(first) * 25.0f, 100.0f) / 100.0f;
  levels.fb = std::min(static_cast<float>(second) * 25.0f, 100.0f) / 100.0f;
  return levels;
}

PotionEffectFunction potionEffectForRow(int row) {
  constexpr int FIRST_COLOR_ROW = 5;
  constexpr int LAST_COLOR_ROW = 17;
  constexpr int FIRST_POTION_COLOR = 2;  // after white and grey
  if (row >= FIRST_COLOR_ROW && row <= LAST_COLOR_ROW) {
    return tintEffect(row - FIRST_COLOR_ROW + FIRST_POTION_COLOR);
  }
  switch (row) {
    case 73:
      return archery;
    case 77:
      return healthBoost;
    case 79:
      return prayer;
    case 109:
      return wrestler;
    default:
      return statEffect(row);
  }
}

const std::array<engine::Color3B, POTION_PALETTE_SIZE>& potionPalette() {
  static const std::array<engine::Color3B, POTION_PALETTE_SIZE> palette = {{
      {0xFF, 0xFF, 0xFF},  // white
      {0x8A, 0x8A, 0x8A},  // grey
      {0x44, 0x44, 0x44},  // black
      {0xA1, 0x5A, 0x3F},  // brown
      {0xFF, 0x8A, 0x03},  // orange
      {0xCB, 0x0B, 0x1F},  // red
      {0xE1, 0x90, 0x99},  // rose
      {0xD3, 0x38, 0x89},  // magenta
      {0x82, 0x40, 0xD3},  // purple
      {0x27, 0x3D, 0xCB},  // blue
      {0x00, 0x9A, 0xFE},  // light blue
      {0x39, 0xD5, 0xF6},  // cyan
      {0xCB, 0xED, 0x41},  // lime green
      {0x00, 0xB8, 0x56},  // green
      {0xFF, 0xED, 0x00},  // yellow
  }};
  return palette;
}
