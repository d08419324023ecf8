#pragma once
// The rule operations that a player's own steps call back into: hurting a player goes through
// the rules, which apply the difficulty, the contact protection and death. `LocalLogic`
// implements it; the player's hazard step takes it from its caller.

#include <cstdint>

class PlayerBase;

class PlayerRules {
 public:
  // True when the damage landed.
  virtual bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) = 0;

 protected:
  ~PlayerRules() = default;
};
