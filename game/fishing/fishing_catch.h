#pragma once
// What a bite yields and how long the bobber waits for it. The catch comes from the catch table:
// the rows whose masks fit the bobber's liquid, the world's planet, the day phase and the depth
// of the bobber's cell, then a rarity tier drawn against thresholds that a better bait moves
// (falling back tier by tier to the common one when the drawn tier has no fitting row). A better
// rod shortens both the wait and the bite. Main thread (the host's rules and the bobber).

#include <cstdint>

#include "game/fishing/catch_table.h"

class World;

constexpr uint16_t kNothingCaught = 0xFFFF;

// `catchRuleApplies`: the four masks of the row at the bobber's cell.
bool catchRuleApplies(const CatchRow& row, uint8_t liquidKind, World& world, uint16_t cellRow);
// `pickFishingCatch`: the item id caught, or kNothingCaught.
uint16_t pickFishingCatch(World& world, uint8_t liquidKind, uint16_t cellRow, uint16_t baitItemId);
// The rarity tier a draw r (0..1) gives with the bait tier: the first threshold at least r.
int catchTierFor(float r, int baitTier);

// Bait tier of a bait item (0 for anything else).
int baitTier(uint16_t itemId);
// `fishingRodTier`: the tier of a rod item, -1 for an item that is no rod.
int fishingRodTier(uint16_t itemId);

// `bobberWaitTime`: frames until a bite. `bobberBiteWindow`: seconds a bite lasts. The tier is
// that of the holder's held rod; a holder that left the world, or holds no rod, counts as tier 0.
float bobberWaitTime(int rodTier);
float bobberBiteWindow(int rodTier);
