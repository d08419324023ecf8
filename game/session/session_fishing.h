#pragma once
// The casters of a session's bobbers, as the bobbers ask about them: players found by id through
// the session's rules, their held rod's tier and what it promises (fishing_catch.h), the fishing
// pose and the texts the rules show. The caster may be the local player or, on a host, a client's
// player, who hears the bite and the end of its fishing through its client. A player who left is
// absent.
//
// Main thread only.

#include "entities/projectiles/fishing_owners.h"

class LocalLogic;
class PlayerBase;

class SessionFishing final : public FishingOwners {
 public:
  static constexpr uint8_t kActionFishing = 8;
  static constexpr uint8_t kActionLowerRod = 9;
  static constexpr uint16_t kTextGotAway = 159;
  static constexpr uint8_t kRefusal = 3;

  explicit SessionFishing(LocalLogic& rules) : rules_(rules) {}

  bool present(uint32_t owner) override;
  int rodTier(uint32_t owner) override;
  float waitTicks(uint32_t owner) override;
  float biteWindow(uint32_t owner) override;
  void castLanded(uint32_t owner) override;
  void biteStarted(uint32_t owner) override;
  void fishGotAway(uint32_t owner) override;
  void showText(uint32_t owner, uint16_t text) override;
  void castEnded(uint32_t owner) override;

 private:
  PlayerBase* player(uint32_t owner) const;

  LocalLogic& rules_;
};
