#pragma once
// Throwing a whole stack out of one of the local player's slots, as the throw key does with the
// held stack and the inventory view with a stack dropped outside its cells: the slot empties and
// the stack passes to a thrown item entity of the game the player plays. Main thread only.

#include "game/inventory/slot_ref.h"

class GamePlayerActions;
class PlayerDesktopLocal;

// Towards the angle (radians, 0 to the right), through `game`; false when the slot holds nothing.
bool throwSlotStack(GamePlayerActions& game, PlayerDesktopLocal& player, SlotRef slot, float angle);
