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

TEST(PotionEffectsTest, StatEffectsGrowWithTheirLevelsAndAccumulate) {
  const struct { const char* potion; int levelBits; float Stats::*stat; float value; } cases[] = {
      {"Resistance To All", 7, &Stats::fallResist, 0.25f},  // L = 8, F = 0.5
      {"Slash/Pierce Damage", 3, &Stats::slashBonus, 0.5f},  // bits 2-3 = 3, 4-5 = 0
      {"Wrestler", 0, &Stats::attackSpeedBonus, -0.015625f},  // trades speed for damage
  };
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(apply({effectOf(c.potion, c.levelBits)}).*c.stat, c.value) << c.potion;
  }
  EXPECT_FLOAT_EQ(apply({effectOf("Thorns", 15), effectOf("Thorns", 15)}).spikeDamage, 2.0f);
}

TEST(PotionEffectsTest, FlagAndColourEffectsOnlySetTheirBitsAndTint) {
  const Stats one = apply({effectOf("Pick Expertise"), effectOf("Dig Expertise"),
                           effectOf("Pound Expertise"), effectOf("Chop Expertise")});
  const Stats all = apply({effectOf("Tools Expertise")});
  EXPECT_EQ(one.flags, all.flags);
  Stats stats;
  stats.flags = STATS_MALE;
  applyPotionEffect(stats, effectOf("Invisibility"));
  EXPECT_EQ(stats.flags, STATS_MALE | STATS_INVISIBLE);
  const Stats mastering = apply({effectOf("Dig Mastering", 15)});
  EXPECT_TRUE(mastering.hasFlag(STATS_DIG_EXPERTISE));
  EXPECT_FLOAT_EQ(mastering.breakMultiplier, 0.4f);
  const Stats red = apply({effectOf("Red Color")});
  EXPECT_TRUE(red.hasFlag(STATS_TINTED));
  ASSERT_NE(red.tint, nullptr);
  const Stats twice = apply({effectOf("Black Color"), effectOf("Yellow Color")});
  ASSERT_NE(twice.tint, nullptr);
  EXPECT_EQ(twice.tint, &potionPalette()[14]);
  EXPECT_TRUE(apply({PotionEffect{static_cast<uint16_t>((1 << 6) | 0x3C), 50}}) == Stats{})
      << "a value without a potion does nothing";
}

}  // namespace
