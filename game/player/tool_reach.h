#pragma once
// How many cells a player reaches with the item in hand: a swinging tool or weapon as far as it is
// made to (one more with the longer-reach modifier), anything else, a bare hand or a block to
// place, one cell. The player's own view and the host judging a joined player's edit ask the same.

class Item;

int toolReachOf(const Item* item);
