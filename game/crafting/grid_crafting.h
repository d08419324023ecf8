#pragma once
// Crafting from the 3x3 craft grid, as the inventory's craft page does it: the grid's layout picks
// the recipe (`matchCraftGrid`), the result is made in the output slot (`craftRecipe`), and one unit
// of every filled grid cell is used up. Leaving the page gives the grid's stacks and the output
// back to the inventory. Main thread only.

#include <cstdint>

#include "game/crafting/craft_grid_match.h"

class Inventory;
class Player;

// What the grid made: the match, and whether the result now waits in the output slot.
struct GridCraft {
  CraftGridMatch match;
  bool made = false;
};

// Makes the grid's recipe once when it is ready and the output can take the result.
GridCraft craftFromGrid(Player& player);

// The grid's stacks into the backpack (`Inventory::returnCraftGridItems`), then the output's
// stack wherever it finds room unless it is ammunition; what finds none stays where it was.
void returnCraftArea(Inventory& inventory);
