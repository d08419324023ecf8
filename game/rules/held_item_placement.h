#pragma once
// What a right click with the held item puts into the pointed cell: the one rule that the main
// view's click, its pointed-cell preview, a scripted player and a joined player's game all ask,
// so what is shown as placeable is what the click places, wherever the click is made.
//
// An item places only when its kind is a placing kind and it names a block. Then, by the block:
// a wire or a gate goes into the open cell's circuit; a block that hangs on a cell (a charge, a
// candle, a flower pot, a paint, a lock) attaches to it as a decoration, on the front block when
// that is opaque, else on the back wall; anything else (a block, a torch, a ladder, a sign, a
// seed) takes the cell by the block's own placement rules. The result is of kind
// `placement_rule::kNoEdit` when the item goes nowhere in this cell.
//
// Main thread only.

#include "content/items/block_edit.h"

class Item;
class MapBlock;
class PlayerGraphical;
class World;

// How an item goes into a cell when it is placed.
enum class PlacementWay { None, Block, Decoration, CircuitPart };

PlacementWay placementWayOf(const World& world, const Item& item);
// The edit the click makes. `tell`: a refusal the decoration rule explains is told to the player
// (the click); without it the rule asks quietly (the preview).
BlockEdit placeHeldItemRule(World& world, PlayerGraphical& player, MapBlock& cell, const Item& item, bool tell);
// Whether the click would place the item there: the rule gives an edit and the world's rules would
// accept it. Says nothing to anyone.
bool heldItemPlaceable(World& world, PlayerGraphical& player, MapBlock& cell, const Item& item);
