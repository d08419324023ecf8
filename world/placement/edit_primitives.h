#pragma once
// The primitives that really change a cell when the world applies an edit: set a layer's block,
// place a block with its placement behaviour, attach a block as a decoration, remove a layer.
// Each keeps light, liquids and shadows current around the cell on the map it is given and answers
// the refresh bits (cell bit always set). Main thread only.

#include <cstdint>

#include "world/edits/edit_result.h"

class MapBlock;
class WorldMap;

EditResult editSetLayerBlock(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant, uint8_t layer);
EditResult editPlaceBlock(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t state);
EditResult editAttachBlock(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant, uint8_t side);
EditResult editRemoveLayer(WorldMap& map, MapBlock& cell, uint8_t layer);
