#pragma once
// How many cells a player reaches with the item in hand: a swinging tool or weapon as far as it is
// made to (one more with the longer-reach modifier), anything else, a bare hand or a block to
// place, one cell. The player's own view and the host judging a joined player's edit ask the same,
// and both ask the same of what the held tool can do.

#include <cstdint>

class Item;
class PlayerGraphical;

int toolReachOf(const Item* item);
// What the player can do with the item in hand (null: nothing held): a tool's capability bits
// (content/tables/tool_def.h); a player that holds no tool adds those its flags grant.
uint16_t toolCapabilitiesOf(const Item* held, const PlayerGraphical& player);
