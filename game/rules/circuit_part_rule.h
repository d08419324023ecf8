#pragma once
// A circuit part item (a wire, a gate, a flip-flop) is not a block of the cell: it goes into the
// cell's circuit bytes, drawn over an open cell, and is cut out again with a tool aimed at the
// cell's back. Placing one is a circuit-part edit carrying the part's kind.

#include <cstdint>

#include "content/items/block_edit.h"

class Item;
class MapBlock;

// The circuit kind the item sets into a cell; none for an item that is no circuit part, and none
// for a connector wire, whose sides nothing lets a player choose and whose cutting gives back a
// wire besides itself.
uint8_t circuitKindPlacedBy(const Item* item);
// The item is a connector wire: it is not placed, and a click with it spends nothing.
bool placesConnectorWire(const Item& item);
// The kind-12 edit that sets the held part into the cell: only an open cell (no front block, so
// the part shows and can be cut out again) that holds no circuit part of its own. Otherwise the
// edit is of kind `placement_rule::kNoEdit`.
BlockEdit placeCircuitPartRule(const MapBlock& cell, const Item& item);
// Whether a cell takes a circuit part: open in front and without a component.
bool takesCircuitPart(const MapBlock& cell);
