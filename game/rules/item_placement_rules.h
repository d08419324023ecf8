#pragma once
// The rules that turn placing a held item on a cell into a block edit, for the item-use code of
// the interface, which sends the result through the game. A result of kind `kNoEdit` means the
// placement is refused.

#include <cstdint>

#include "content/items/block_edit.h"

class Item;
class MapBlock;
class PlayerGraphical;
class World;

namespace placement_rule {
constexpr uint8_t kNoEdit = 1;
constexpr uint8_t kItemKindBlock = 4;
constexpr uint16_t kSeedItem = 41;
// Side bytes of the block item rule: the front, the back, or whichever fits.
constexpr uint8_t kSideFront = 0;
constexpr uint8_t kSideBack = 1;
constexpr uint8_t kSideAny = 7;

// The refusal: an edit of kind `kNoEdit`.
BlockEdit noEdit();
// The block the item places (0: none).
uint16_t blockPlacedBy(const Item& item);
}  // namespace placement_rule

// A block item placed as the cell's front or back block (a kind-2 edit with a random variant).
BlockEdit placeBlockItemRule(World& world, MapBlock& cell, uint8_t side, const Item& item);
// A block item placed as a block that attaches (a kind-4 edit); a seed carries its gene word.
BlockEdit placeAttachmentRule(World& world, const PlayerGraphical& player, MapBlock& cell, const Item& item);
// A held block item placed where the player aims, as the item-use code tries it: the front layer,
// then either layer, then as a block that attaches. A block that needs cover or a side wall (a
// torch) goes only into an open cell that holds it (a back wall, a side wall, or deep under the
// surface), and only as a block that attaches; anywhere else no edit comes out, so whatever asks
// this rule (the click, the pointed-cell highlight) sees the refusal the rules would give. A
// circuit part item sets its part into the cell's circuit instead (`placeCircuitPartRule`).
BlockEdit placeHeldBlockRule(World& world, const PlayerGraphical& player, MapBlock& cell, const Item& item);
