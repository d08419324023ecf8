#pragma once
// What a shot the player fires uses up. A weapon that takes ammunition spends one from the
// ammunition slot; a thing thrown by hand (a bomb, a ball, a spawn egg, ammunition: the shooting
// items that stack) leaves the hand one at a time, so what lies in the world after a throw is
// never also still held. A rod costs nothing here (its bait goes with a catch), nor does a weapon
// that makes its own shots and does not stack (a launcher), nor anything in a creative world.
//
// Main thread only.

class Item;
class Player;

// Takes what the shot just fired from `held` costs out of the player's inventory.
void payForShot(Player& player, const Item& held, bool creative);
// Whether the shot leaves the hand: one of the held stack is spent (outside a creative world).
bool shotUsesUpHeld(const Item& held);
// Whether the shot spends one from the ammunition slot (outside a creative world): a bow's, not a
// rod's.
bool shotSpendsAmmunition(const Item& held);
// One from the ammunition slot, when the shot from `held` spends it: a joined player's game spends
// its own as it sends the shot, the host the same from its copy of her items.
void spendAmmunitionFor(Player& player, const Item& held, bool creative);
