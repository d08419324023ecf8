#pragma once
// What a player looks like on the character atlas: the skin and hair of its character, and the
// worn picture of each of the five appearance slots (the look row's item, else the equipment
// row's). A player without a character (a remote copy not yet described) shows the bare body.

#include "content/art/character_atlas_layout.h"

class Item;
class PlayerGraphical;

// The item a player shows in an appearance slot (0-4): the look row's, else the equipment row's.
Item* appearanceItem(const PlayerGraphical& player, int slot);

art::CharacterLook characterLookOf(const PlayerGraphical& player);
// The colour every part takes when the player is shown in its own colour (player flag 6): the
// palette colour of the look word's third byte.
engine::Color3B playerColourOf(const PlayerGraphical& player);

// The ambient effects of what the player wears: each appearance slot's item whose definition has
// one runs it with the player.
void runWornItemEffects(PlayerGraphical& player);
