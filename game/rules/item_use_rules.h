#pragma once
// What a held item may do to the world: whether a tool (or the bare hand) may break the block of
// a cell, and whether an item that spawns something may be used. A refusal that concerns the
// player is shown to it as a message of kind 3 (the tool texts only while the "lessVerboseConsole"
// option is off); without a player (a piston, a dispenser) nothing is shown.
//
// Main thread only.

#include <cstddef>
#include <cstdint>

class Item;
class MapBlock;
class PlayerBase;
class World;

namespace break_text {
constexpr int16_t kNeedsHammer = 108;
constexpr int16_t kToolTooWeak = 109;
constexpr int16_t kNeedsWeaponClass = 110;
}  // namespace break_text

// Entities a creative player may add while the world holds at most this many.
constexpr size_t kCreativeMobLimit = 512;

// `toolCapabilities`: the capability word of a tool (kind 1): its definition's bits (low byte:
// what it can break, high byte: its tier bits) and one bit for its modifier (8: bit 0, 9: bit 1,
// 7: bit 2); 0 for any other item.
uint16_t toolCapabilities(const Item& item);

// `Logic::canBreakBlock`: the tool (null: what the player holds, or bare hands) against the
// cell's front block, or its back block when the front is empty.
bool canBreakBlock(World& world, PlayerBase* player, const Item* tool, const MapBlock& cell);

// `Logic::useSpawningItem`; `creative` is the creative byte of the game's mode, `entityCount`
// the entities the world holds.
bool useSpawningItem(bool creative, PlayerBase* player, const Item* item, size_t entityCount);

// Whether shooting the held item first asks `useSpawningItem`: an item that sets something loose
// (a firework, a mob capsule) and shoots no ammunition of its own.
bool shotAsksSpawningRules(const Item& held);
