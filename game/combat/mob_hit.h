#pragma once
// A player's blow on a mob: the held item's damage roll (1000 in a creative world), the hit sound,
// the damage with the player as attacker (a weapon that halves resistance, life steal, the kill
// statistic and the loot factors), a rare extra drop from a lucky weapon on a kill, otherwise a
// knock-back away from the player, and a point of wear on the held tool.
//
// Main thread only.

#include <cstdint>

class LogicDamage;
class LogicEntities;
class LogicPlayers;
class MobEntity;
class PlayerBase;
class Item;

namespace mob_hit {
constexpr uint16_t kHitSound = 6;
constexpr float kCreativeDamage = 1000.0f;
constexpr float kBareKnockBack = 1.5f;
constexpr float kLuckyDropChance = 0.02f;
constexpr uint8_t kModStrong = 4;      // knock-back x 1.25
constexpr uint8_t kModLucky = 6;       // a rare second drop on a kill
constexpr uint8_t kModVampiric = 7;    // life steal + 0.2
constexpr uint8_t kModPiercing = 9;    // the mob's resistance halved
}  // namespace mob_hit

// `itemWeaponBonus`: a weapon's life steal (its third stat, + 0.2 with the vampiric modifier).
float itemWeaponBonus(const Item* item);
// The knock-back of the held item (1.5 without one or for items that are not tools or weapons).
float heldKnockBack(const Item* item);
// The roles of the rules a blow reaches: the hit sound to the players, a lucky kill's loot, and
// the knock-back of a mob that lived.
struct MobHitRules {
  LogicPlayers& players;
  LogicDamage& damage;
  LogicEntities& entities;
};

// The whole blow; true when it killed the mob.
bool hitMobByPlayer(const MobHitRules& rules, PlayerBase& player, MobEntity& mob);
