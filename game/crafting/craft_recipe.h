#pragma once
// Making one recipe from the craft view: the result goes into the output slot, an unknown craft
// book entry is learned, the grid's containers come back and the craft is counted. The grid's
// ingredients are not taken here: the craft view takes them. Main thread only.

#include "engine/base/geometry.h"

class CraftingPlayer;
struct CraftDef;

// False (nothing changed) when the output slot holds something the result cannot join.
bool craftRecipe(CraftingPlayer& player, const CraftDef& recipe);

// Where the craft view places a recipe's button.
engine::Rect craftButtonRect(float x, float y);
