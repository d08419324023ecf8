#pragma once
// What an item fires (`Logic::projectileForItem`): its ranged record's own projectile, or, for a
// weapon that needs ammunition and a player who holds it, the ammunition the weapon accepts from
// the player's ammunition slot. Some weapons accept one ammunition, slings a family of stones;
// bows that take arrows also set the range flag. Fireworks (in a creative game) and one dye gun
// fire a random colour word.
//
// Main thread only.

#include "world/rules/logic.h"

class Item;
class PlayerBase;

// A ranged weapon (a rod, a bow) that shoots only what lies in the ammunition slot.
bool firesFromAmmunitionSlot(const Item& weapon);
// The accepted ammunition of a weapon, or false when the weapon takes none of that id.
bool acceptsAmmunition(uint16_t weapon, uint16_t ammunition, bool& rangeFlag);
// Without a player the item fires its own projectile; with one, a weapon that takes ammunition
// fires what the player's ammunition slot holds (`PlayerBase::ammunition`).
Logic::ProjectileChoice chooseProjectile(bool creative, const PlayerBase* player, const Item& item);
