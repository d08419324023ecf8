#include <gtest/gtest.h>

#include <string_view>

#include "content/potions/potion_effects.h"
#include "content/potions/potion_table.h"
#include "content/stats/potion_effect.h"
#include "content/stats/stats.h"

namespace {

// The value of the potion of a row with the level bits 2-5 given.
PotionEffect effectOf(std::string_view name, int levelBits = 0) {
  for (const PotionDef& def : potionDefs()) {
    if (name == def.name) {
      return {static_cast<uint16_t>(def.code * 64 + (levelBits << 2)), 100};
    }
  }
  ADD_FAILURE() << "no potion " << name;
  return {};
}

Stats apply(std::initializer_list<PotionEffect> effects) {
  Stats stats;
  for (const PotionEffect& effect : effects) applyPotionEffect(stats, effect);
  return stats;
}

TEST(PotionEffectsTest, LevelsGiveTheStrengths) {
  const PotionLevels lowest = potionLevels(0);
  EXPECT_FLOAT_EQ(lowest.f, 0.0625f);
  EXPECT_FLOAT_EQ(lowest.fa, 0.25f);
  EXPECT_FLOAT_EQ(lowest.fb, 0.25f);
  const PotionLevels highest = potionLevels(0x3C);
  EXPECT_FLOAT_EQ(highest.f, 1.0f);
  EXPECT_FLOAT_EQ(highest.fa, 1.0f);
  EXPECT_FLOAT_EQ(highest.fb, 1.0f);
  EXPECT_FLOAT_EQ(potionLevels(0x0C).fa, 1.0f);
  EXPECT_FLOAT_EQ(potionLevels(0x0C).fb, 0.25f);
}

TEST(PotionEffectsTest, SingleStatEffectsGrowWithTheLevel) {
  EXPECT_FLOAT_EQ(apply({effectOf("Lava Resistance", 0)}).lavaResist, 0.0625f);
  EXPECT_FLOAT_EQ(apply({effectOf("Lava Resistance", 15)}).lavaResist, 1.0f);
  const Stats physical = apply({effectOf("Physical Damage", 15)});
  EXPECT_FLOAT_EQ(physical.slashBonus, 0.5f);
  EXPECT_FLOAT_EQ(physical.pierceBonus, 0.5f);
  EXPECT_FLOAT_EQ(physical.bluntBonus, 0.5f);
  EXPECT_FLOAT_EQ(physical.magicBonus, 0.0f);
  const Stats all = apply({effectOf("Resistance To All", 7)});  // L = 8, F = 0.5
  EXPECT_FLOAT_EQ(all.acidResist, 0.25f);
  EXPECT_FLOAT_EQ(all.explosionResist, 0.25f);
  EXPECT_FLOAT_EQ(all.fallResist, 0.25f);
}

TEST(PotionEffectsTest, TwoStatEffectsUseBothLevels) {
  const Stats stats = apply({effectOf("Slash/Pierce Damage", 3)});  // bits 2-3 = 3, 4-5 = 0
  EXPECT_FLOAT_EQ(stats.slashBonus, 0.5f);
  EXPECT_FLOAT_EQ(stats.pierceBonus, 0.125f);
  const Stats armor = apply({effectOf("Reactive Armor", 0xC)});
  EXPECT_FLOAT_EQ(armor.spikeDamage, 0.25f);
  EXPECT_FLOAT_EQ(armor.magicDefense, 0.25f * 1.0f);
  const Stats boost = apply({effectOf("Health Boost", 0xF)});
  EXPECT_FLOAT_EQ(boost.healthRegen, 3.5f);
  const Stats prayer = apply({effectOf("Prayer", 15)});
  EXPECT_FLOAT_EQ(prayer.healingBonus, 0.2f);
  EXPECT_FLOAT_EQ(prayer.healthRegen, 2.4f);
  const Stats archery = apply({effectOf("Archery", 0)});
  EXPECT_FLOAT_EQ(archery.pierceBonus, 0.25f);
  EXPECT_FLOAT_EQ(archery.rangedCritical, 0.0625f);
}

TEST(PotionEffectsTest, WrestlerTradesSpeedForDamage) {
  const Stats stats = apply({effectOf("Wrestler", 0)});
  EXPECT_FLOAT_EQ(stats.attackSpeedBonus, -0.015625f);
  EXPECT_FLOAT_EQ(stats.slashBonus, 0.015625f);
  EXPECT_FLOAT_EQ(stats.pierceBonus, 0.015625f);
  EXPECT_FLOAT_EQ(stats.bluntBonus, 0.015625f);
}

TEST(PotionEffectsTest, EffectsAccumulate) {
  const Stats stats = apply({effectOf("Thorns", 15), effectOf("Thorns", 15)});
  EXPECT_FLOAT_EQ(stats.spikeDamage, 2.0f);
}

TEST(PotionEffectsTest, FlagEffectsOnlySetBits) {
  const Stats one = apply({effectOf("Pick Expertise"), effectOf("Dig Expertise"),
                           effectOf("Pound Expertise"), effectOf("Chop Expertise")});
  const Stats all = apply({effectOf("Tools Expertise")});
  EXPECT_EQ(one.flags, all.flags);
  EXPECT_EQ(all.flags, STATS_PICK_EXPERTISE | STATS_DIG_EXPERTISE | STATS_POUND_EXPERTISE |
                           STATS_CHOP_EXPERTISE);
  EXPECT_EQ(apply({effectOf("Giants")}).flags, STATS_GIANT);
  EXPECT_EQ(apply({effectOf("Metal Feet")}).flags, STATS_FIRM_FEET);
  Stats stats;
  stats.flags = STATS_MALE;
  applyPotionEffect(stats, effectOf("Invisibility"));
  EXPECT_EQ(stats.flags, STATS_MALE | STATS_INVISIBLE);
  const Stats mastering = apply({effectOf("Dig Mastering", 15)});
  EXPECT_TRUE(mastering.hasFlag(STATS_DIG_EXPERTISE));
  EXPECT_FLOAT_EQ(mastering.breakMultiplier, 0.4f);
}

TEST(PotionEffectsTest, ColourPotionsTintWithTheirColour) {
  const Stats red = apply({effectOf("Red Color")});
  EXPECT_TRUE(red.hasFlag(STATS_TINTED));
  ASSERT_NE(red.tint, nullptr);
  EXPECT_EQ(*red.tint, (engine::Color3B{0xCB, 0x0B, 0x1F}));
  const Stats twice = apply({effectOf("Black Color"), effectOf("Yellow Color")});
  ASSERT_NE(twice.tint, nullptr);
  EXPECT_EQ(*twice.tint, (engine::Color3B{0xFF, 0xED, 0x00}));
  EXPECT_EQ(twice.tint, &potionPalette()[14]);
  EXPECT_EQ(potionPalette()[1], (engine::Color3B{0x8A, 0x8A, 0x8A}));
}

TEST(PotionEffectsTest, AValueWithoutAPotionDoesNothing) {
  const Stats stats = apply({PotionEffect{static_cast<uint16_t>((1 << 6) | 0x3C), 50}});
  EXPECT_TRUE(stats == Stats{});
}

}  // namespace
