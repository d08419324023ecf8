#pragma once
// The rule operations that a player's own steps call back into: hurting a player goes through
// the rules, which apply the difficulty, the contact protection and death. `LocalLogic`
// implements it; the player's hazard step takes it from its caller.

#include <cstdint>

class PlayerBase;

// The actions the rules play on a player for every machine to show ([6][94]): hurt, died and back
// to life. A copy of a player that is shown "revived" is alive again, so only the rules show it.
namespace rule_action {
inline constexpr uint8_t kHurt = 5;
inline constexpr uint8_t kDied = 6;
inline constexpr uint8_t kRevived = 7;
}  // namespace rule_action

class PlayerRules {
 public:
  // True when the damage landed.
  virtual bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) = 0;

 protected:
  ~PlayerRules() = default;
};
