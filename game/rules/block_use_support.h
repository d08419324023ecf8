#pragma once
// The fixed ids, texts and small tests that the block-use rules share. Main thread only.

#include <cstdint>
#include <string>

#include "content/items/item.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "world/blocks/fuse_blocks.h"
#include "world/blocks/stable.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"

namespace block_use_support {

constexpr uint16_t kClockA = 205, kClockB = 206;
constexpr uint16_t kFuse = fuse_block::kCharge, kLitFuse = fuse_block::kLit;
constexpr uint16_t kToggle = 374, kSign = 2599, kSignPen = 484, kLever = 2086, kFertiliser = 1054;
constexpr uint16_t kPortalBlock = 44, kForge = 33, kAlchemyLab = 45, kOpener = 1886;
constexpr uint16_t kLockMark = 214, kTilledSoil = 2435, kOpenMark = 127;
constexpr uint16_t kTillingBit = 0x10;
constexpr uint64_t kTillFilter = 0x14;
constexpr uint8_t kWarning = 3, kInformation = 2;
constexpr uint8_t kCraftingPage = inventory_page::kCrafting, kContainerPage = inventory_page::kContainer;
constexpr uint16_t kInventorySound = 12, kBookSound = 26;

// Texts named by their role.
inline const char* const kOutOfReach = "That is out of reach.";
inline const char* const kNoPermission = "You may not do that here.";
inline const char* const kInUse = "Someone else is using it.";
inline const char* const kLocked = "It is locked.";
inline const char* const kProtected = "This area is protected.";
inline const char* const kCannotTill = "The ground cannot be tilled here.";
inline const char* const kCannotGrow = "Nothing here can grow.";
inline const char* const kStableFull = "The stable is full.";
inline const char* const kWrongStable = "This animal does not belong in this stable.";
inline const char* const kBetterKey = "You need a better key to unlock this chest.";

inline void warn(PlayerBase& player, const char* text) { player.showMessage(kWarning, text); }

// The held item gives light, and so lights a fuse: the light it gives when carried, or the light
// it shows in the hand (a torch, a lamp, a candle glows there with its tint).
inline bool givesLightInHand(const Item* held) {
  return held != nullptr && !held->isNone() && (held->lightColor() != 0 || held->tintColor() != 0);
}

// The first decoration slot on the side whose block a tool may remove (use kind 1, not a lock).
int firstRemovableDeco(const MapBlock& cell, uint8_t side);
// The place of a lock decoration on the cell in the lock list, -1 when none; its slot in `slot`.
int lockOn(const MapBlock& cell, int& slot);
// The place of the held key in the key list, -1 when the item is no key.
int keyRank(const Item* held);
inline bool keyFindsLock(const Item* held, const MapBlock& cell) {
  int slot = 0;
  return keyRank(held) >= 0 && lockOn(cell, slot) >= 0;
}
// A placeable block item whose block is climbable (a ladder over a toggle is placed, not used).
bool holdsClimbablePlaceable(const Item* held, const BlockPropsTable& props);
inline bool stableItemAccepts(uint16_t itemId, uint16_t block) { return stableBlockForItem(itemId) == block; }

}  // namespace block_use_support
