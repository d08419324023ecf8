#pragma once
// The decoration rule of item placement: which side of a cell a decoration item attaches to (a
// kind-3 edit), for the item-use code of the interface, which sends the result through the game.
// Locks go on containers, linked decorations on the blocks that accept them, special decorations
// on blocks or decorations that accept them, flower pots on empty item shelves, and anything else
// on an opaque front block or, behind a clear one, on the back. A refusal the player should
// understand is shown to it with the refusal effect at the cell (only when `tell`: the pointed-cell
// preview asks quietly); the result is then of kind `placement_rule::kNoEdit`.
//
// Main thread only.

#include <cstdint>

#include "content/items/block_edit.h"

class Item;
class MapBlock;
class PlayerGraphical;
class World;

namespace flower_pot_rule {
constexpr uint16_t kLockItem = 1886;
constexpr int16_t kTextNoBackSide = 112;
constexpr uint8_t kFrontOnlyTransparency = 3;  // decorations of this class never go on the back
// Flower pots stand on shelves for items, not on clothing stands or in fish tanks.
constexpr uint16_t kPotShelfKind = 0;
}  // namespace flower_pot_rule

BlockEdit checkFlowerPotPlacement(World& world, PlayerGraphical& player, MapBlock& cell, const Item& item,
                                  bool tell = true);
