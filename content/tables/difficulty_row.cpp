#include "content/tables/difficulty_row.h"

#include <cmath>

float DifficultyRow::factor(size_t offset, float fallback) const {
  const float value = f32(offset);
  return std::isfinite(value) ? value : fallback;
}

float DifficultyRow::lootFactor(size_t index) const {
  if (index >= difficulty_record::lootFactorCount) return 1.0f;
  return factor(difficulty_record::lootFactors + 4 * index, 1.0f);
}

float difficultyDamageFactor(const DifficultyRow* row) { return row ? row->playerDamageFactor() : 1.0f; }
float difficultyMobDamageFactor(const DifficultyRow* row) { return row ? row->mobDamageFactor() : 1.0f; }
float difficultySpawnFactor(const DifficultyRow* row) { return row ? row->spawnFactor() : 1.0f; }
float difficultyProtectionTime(const DifficultyRow* row) { return row ? row->protectionTime() : 0.0f; }
float difficultyRegeneration(const DifficultyRow* row) { return row ? row->regeneration() : 0.0f; }

float difficultyLootFactor(const DifficultyRow* row, float chance, bool recentSwitch) {
  if (row == nullptr) return 1.0f;
  size_t index = difficulty_record::lootFactorCount - 1;
  for (size_t i = 0; i < kLootChanceThresholds.size(); ++i) {
    if (kLootChanceThresholds[i] > chance) {
      index = i;
      break;
    }
  }
  if (recentSwitch && row->level() > 2) return kSwitchedLootFactors[index];
  return row->lootFactor(index);
}
