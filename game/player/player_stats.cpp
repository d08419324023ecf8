#include "game/player/player_stats.h"

#include <algorithm>

void PlayerStats::reset() {
  buffFlags = 0;
  light = 0;
  std::fill(std::begin(damageBonus), std::end(damageBonus), 0.0f);
  std::fill(std::begin(armour), std::end(armour), 0.0f);
  std::fill(std::begin(resist), std::end(resist), 0.0f);
  std::fill(std::begin(moveBonus), std::end(moveBonus), 0.0f);
  criticalChance = 0.05f;
  secondChance = 0.05f;
  knockBackFactor = 1.0f;
  shotKnockBackFactor = 1.0f;
  lifeSteal = 0;
  thorns = 0;
  maxHealth = 5.0f;
  healthBonus = 0;
  healthDrift = 0;
  const float hands[5] = {0.4f, 0.5f, 0.35f, 0.45f, 1.0f};
  std::copy(std::begin(hands), std::end(hands), std::begin(handValues));
}

void PlayerStats::clamp() {
  for (float& a : armour) a = std::min(a, 0.9f);
  for (float& r : resist) r = std::min(r, 1.0f);
  for (float& m : moveBonus) m = std::min(m, 0.75f);
  criticalChance = std::min(criticalChance, 0.5f);
  secondChance = std::min(secondChance, 0.5f);
}

bool PlayerStats::hasFlag(uint16_t id) const {
  if (id >= 32) return false;
  if ((buffFlags >> id) & 1u) return true;
  return id < player_flag::kPermanentCount && flags.test(id);
}

void PlayerStats::setFlag(uint16_t id, bool on) {
  if (id >= player_flag::kPermanentCount) return;
  flags.set(id, on);
}
