#pragma once
// A block edit aimed at a cell: the kind, the cell's column and row, and a block id.

#include <cstdint>

#include "content/items/block_edit.h"
#include "world/cells/map_block.h"

inline BlockEdit editForCell(const MapBlock& cell, uint8_t kind, uint16_t blockId = 0) {
  BlockEdit edit;
  edit.kind = kind;
  edit.x = cell.x;
  edit.y = cell.y;
  edit.blockId = blockId;
  return edit;
}
