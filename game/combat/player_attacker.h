#pragma once
// A player as the mob it hurts sees it: a held piercing weapon halves the mob's resistance, the
// life steal of the held weapon and of the player's own equipment, the kill statistic of the local
// player, and the plain loot factors. Lives only as long as the blow or the shot that uses it.
//
// Main thread only.

#include "entities/mobs/mob_entity.h"

class Item;
class PlayerBase;

class PlayerAttacker final : public MobAttacker {
 public:
  explicit PlayerAttacker(PlayerBase& player);
  bool halvesResistance() const override;
  float lifeSteal() const override;
  void gainHealth(float amount) override;
  void recordKill(uint16_t mobId) override;
  float lootFactor() const override { return 1.0f; }
  float lootBonus() const override { return 0.0f; }

 private:
  PlayerBase& player_;
  const Item* held_;
};
