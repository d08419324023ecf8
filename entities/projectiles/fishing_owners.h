#pragma once
// What a fishing bobber asks about the player who cast it, who lives in the game above the
// entities: whether it is still in the game, what its rod promises (the wait for a bite, the bite's
// length), and the few things the cast does to it (the cast lands, the fish got away, the shown
// refusals). The caster is named by its player id; an id whose player left answers absent. The
// session registers its implementation with its world's lists; the null form knows no caster, so
// a bobber without one fades.
//
// Main thread only.

#include <cstdint>

class FishingOwners {
 public:
  virtual ~FishingOwners() = default;
  virtual bool present(uint32_t owner) = 0;
  // The tier of the rod the caster holds, -1 when it holds none.
  virtual int rodTier(uint32_t owner) = 0;
  // Ticks until the first nibble, and the bite window for the caster's rod: each nibble takes 0.1
  // from the window, and the bite comes once it is used up.
  virtual float waitTicks(uint32_t owner) = 0;
  virtual float biteWindow(uint32_t owner) = 0;
  // The cast landed in good water: the caster's fishing pose.
  virtual void castLanded(uint32_t owner) = 0;
  // A fish took the bait: the caster's reaction is counted from now.
  virtual void biteStarted(uint32_t owner) = 0;
  // The hooked fish got away: the caster is told (text 159), loses a bait and lowers its rod.
  virtual void fishGotAway(uint32_t owner) = 0;
  // An interface text shown to the caster as a refusal (157 bad water, 158 landed on ground).
  virtual void showText(uint32_t owner, uint16_t text) = 0;
  // The cast came to nothing (the bobber landed on the ground or in bad water): the caster stops
  // waiting for a bite, and its fishing view closes.
  virtual void castEnded(uint32_t owner) = 0;
};

class NullFishingOwners final : public FishingOwners {
 public:
  bool present(uint32_t) override { return false; }
  int rodTier(uint32_t) override { return -1; }
  float waitTicks(uint32_t) override { return 0; }
  float biteWindow(uint32_t) override { return 0; }
  void castLanded(uint32_t) override {}
  void biteStarted(uint32_t) override {}
  void fishGotAway(uint32_t) override {}
  void showText(uint32_t, uint16_t) override {}
  void castEnded(uint32_t) override {}
};
