#pragma once
// The brewing step of the rules: once a lab's brew has started, the potion recipe is read from
// its ingredients (three ingredient slots and the bottle) and the result reaches the lab. The
// local player's brew result stores it into its open lab and learns the potion; with no local
// player behind the brew the lab stores it itself. A lab closed meanwhile has stopped its brew.
//
// Main thread only.

class AlchemyLab;
class PlayerBase;

// True when the brew ran and its ingredients made something (a potion, or the failed brew's item).
bool brewPotionAt(AlchemyLab& lab, PlayerBase* player);
