#pragma once
// Making one recipe from the craft view: the result goes into the output slot, an unknown craft
// book entry is learned, the grid's containers come back and the craft is counted. The grid's
// ingredients are not taken here: the craft view takes them. Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class CraftingPlayer;
struct CraftDef;

// False (nothing changed) when the output slot holds something the result cannot join.
bool craftRecipe(CraftingPlayer& player, const CraftDef& recipe);

// The empty container a filled one gives back when a recipe that returns containers uses it
// (buckets, jars, tins); ITEM_NONE for any other item.
uint16_t returnedContainer(uint16_t id);

// Where the craft view places a recipe's button.
engine::Rect craftButtonRect(float x, float y);
