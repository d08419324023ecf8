#pragma once
// Replacing a layer's word outright (edit kind 8): the word and the block state change, and
// whatever depended on the cell's openness is brought up to date around it: light and sky, the
// liquid queue, shadows and the column's top height.

#include "world/edits/edit_result.h"

class MapBlock;
class WorldMap;
struct BlockEdit;

EditResult replaceLayerWord(WorldMap& map, MapBlock& cell, const BlockEdit& edit);
