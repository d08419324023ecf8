#pragma once
// What a player's body adds up to: the stats rebuilt from the worn equipment and the active buffs
// (see `PlayerBase::refreshAppearance`), the permanent flags that chat commands and the rules set,
// and the active buffs themselves. Clamps are applied after every rebuild.
//
// Flag ids: 0 "Godmode", 7 "Flying", 8 "No Clip", 9 "Human Torch", 20 "Secret Console". The
// permanent flags are 21 bits; ids from messages and chat commands beyond them are ignored.

#include <bitset>
#include <cstdint>
#include <vector>

struct PlayerBuff {
  uint16_t id = 0;
  uint16_t remaining = 0;
};

namespace player_flag {
constexpr uint16_t kGodmode = 0;
constexpr uint16_t kTarget = 1;
constexpr uint16_t kLowGravity = 2;
constexpr uint16_t kHighGravity = 3;
constexpr uint16_t kReverseGravity = 4;
constexpr uint16_t kSlowFall = 5;
constexpr uint16_t kFlying = 7;
constexpr uint16_t kNoClip = 8;
constexpr uint16_t kHumanTorch = 9;
constexpr uint16_t kFirmFeet = 14;
constexpr uint16_t kHarmImmune = 15;
constexpr uint16_t kSecretConsole = 20;
constexpr uint16_t kPermanentCount = 21;
}  // namespace player_flag

struct PlayerStats {
  std::vector<PlayerBuff> buffs;
  std::bitset<player_flag::kPermanentCount> flags;
  uint32_t buffFlags = 0;
  uint16_t light = 0;
  float damageBonus[4] = {};
  float armour[4] = {};
  float resist[5] = {};  // heat, acid, drowning, blast, fall
  float moveBonus[4] = {};  // walk, climb, jump, swim
  float criticalChance = 0.05f;
  float knockBackFactor = 1.0f;      // scales the knock-back of the player's blows
  float shotKnockBackFactor = 1.0f;  // and of its shots
  float lifeSteal = 0;           // health won back from the damage dealt to mobs
  float thorns = 0;              // damage a mob takes back when it touches the player
  float secondChance = 0.05f;
  float maxHealth = 5.0f;
  float healthBonus = 0;
  float healthDrift = 0;
  float handValues[5] = {0.4f, 0.5f, 0.35f, 0.45f, 1.0f};

  // Back to the values before any equipment or buff; the permanent flags and buffs stay.
  void reset();
  void clamp();
  // A permanent flag or a buff flag (ids below 32).
  bool hasFlag(uint16_t id) const;
  // Ids outside the permanent flags are ignored.
  void setFlag(uint16_t id, bool on);
};
