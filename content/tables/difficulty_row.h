#pragma once
// One row of the difficulty table: five levels, 0 the gentlest (peaceful) to 4 the hardest, each
// kept as its 88 content bytes. The offsets are `content::difficulty_record`
// (content/format/record_layout.h), which the content compiler writes through as well; the game
// reads a row only through the helpers here.
//
//   bytes  field
//   0      f32 factor on the damage a player takes
//   4      f32 factor on the damage a mob takes from an attacker
//   8      f32 factor on each mob population cap
//   12     f32 seconds of contact protection after a hit
//   16     f32 health regained every ten seconds (0: none)
//   20-43  six f32 loot factors, one per loot chance threshold (`kLootChanceThresholds`)
//   44-79  unused, zero
//   80     u8 the quick slots drop on death
//   81     u8 the backpack (with the craft grid and the loose slot) drops on death
//   82     u8 what is worn drops on death
//   83     u8 peaceful: no hostile mobs spawn
//   84     u8 the row's own level 0-4
//   85-87  unused, zero
//
// A factor that does not hold a finite number reads as its neutral value.

#include <array>
#include <cstddef>
#include <cstdint>

#include "content/format/record_bytes.h"

namespace difficulty_record = content::difficulty_record;

// Loot chances are graded by these thresholds: a chance takes the factor of the first threshold
// above it, and the last factor when none is.
inline constexpr std::array<float, difficulty_record::lootFactorCount> kLootChanceThresholds = {
    0.005f, 0.02f, 0.05f, 0.15f, 0.4f, 1.0f};
// The factors used instead of a hard row's own once the player has switched difficulty: the
// rarest drops stay as scarce as on the middle level.
inline constexpr std::array<float, difficulty_record::lootFactorCount> kSwitchedLootFactors = {
    1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};

struct DifficultyRow : content::RecordBytes<content::kDifficultyRecordSize> {
  // A row's float at `offset`, or `fallback` when it is not a finite number.
  float factor(size_t offset, float fallback) const;

  float playerDamageFactor() const { return factor(difficulty_record::playerDamage, 1.0f); }
  float mobDamageFactor() const { return factor(difficulty_record::mobDamage, 1.0f); }
  float spawnFactor() const { return factor(difficulty_record::spawnFactor, 1.0f); }
  float protectionTime() const { return factor(difficulty_record::protectionTime, 0.0f); }
  float regeneration() const { return factor(difficulty_record::regeneration, 0.0f); }
  float lootFactor(size_t index) const;
  bool dropsQuickSlots() const { return bytes[difficulty_record::dropsQuickSlots] != 0; }
  bool dropsBackpack() const { return bytes[difficulty_record::dropsBackpack] != 0; }
  bool dropsWorn() const { return bytes[difficulty_record::dropsWorn] != 0; }
  bool peaceful() const { return bytes[difficulty_record::peaceful] != 0; }
  uint8_t level() const { return bytes[difficulty_record::level]; }
};

// The row's value, or the neutral one without a row: damage and spawn factors 1, no protection,
// no regeneration.
float difficultyDamageFactor(const DifficultyRow* row);
float difficultyMobDamageFactor(const DifficultyRow* row);
float difficultySpawnFactor(const DifficultyRow* row);
float difficultyProtectionTime(const DifficultyRow* row);
float difficultyRegeneration(const DifficultyRow* row);
// The factor on a loot chance `chance` (1 without a row). `recentSwitch`: the player switched
// difficulty lately, so a row above the middle level gives `kSwitchedLootFactors` instead.
float difficultyLootFactor(const DifficultyRow* row, float chance, bool recentSwitch);
