#pragma once
// The player who throws a taming collar over a mob, as the capture rule asks of it
// (`LocalLogic::captureMob`). One capture runs the same rule for whoever acts: the player of a game
// played alone or the host's own (`Player`), or a joined player's copy on the host
// (`PlayerServer`), which answers from what the host knows of her (where it has her, what its copy
// of her items holds) and hands the caught mob's item to her client to take.
//
// Main thread only.

#include <cstdint>

class Item;
class MapBlock;
class MobEntity;
class PlayerBase;

class MobCatcher {
 public:
  virtual ~MobCatcher() = default;

  // The player the capture is told to and counted for.
  virtual PlayerBase& actingPlayer() = 0;
  // The stack the collar is thrown from; null for an empty hand (and for a stack the player no
  // longer carries).
  virtual Item* usedItem() = 0;
  // Within the item's reach; anywhere in a creative world.
  virtual bool canReach(const MapBlock& cell, const Item* item) const = 0;
  // The caught mob's item is handed to the player. True when it is hers now and the capture goes
  // on; false when she has no room for it, or when her answer comes later (a joined player is
  // offered it, and her "taken" completes the capture: `LocalLogic::completeCapture`).
  virtual bool takeCaught(MobEntity& mob, const Item& caught) = 0;
  // The collar that made the capture is used up.
  virtual void useUpHeldItem() = 0;
  // A find counts in the player's statistics.
  virtual void recordStat(uint16_t statId, uint16_t value) = 0;
};
