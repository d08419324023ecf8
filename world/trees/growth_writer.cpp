#include "world/trees/growth_writer.h"

#include "content/items/block_edit.h"
#include "content/tables/fruit_table.h"
#include "world/cells/block_flags.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/rules/logic.h"

void RulesGrowthWriter::place(MapBlock& cell, uint16_t blockId, uint8_t variant, uint8_t state) {
  BlockEdit edit;
  makeBlockValue(edit, cell.x, cell.y, edit_kind::kReplace, blockId, variant, MapBlock::kFront, state);
  rules_.editBlock(edit, nullptr);
}

void RulesGrowthWriter::setDeco(MapBlock& cell, uint8_t slot, uint16_t blockId, uint8_t variant) {
  BlockEdit edit;
  makeBlockValue(edit, cell.x, cell.y, edit_kind::kSetDeco, blockId, variant, MapBlock::kFront, 0);
  edit.slot = slot;
  rules_.editBlock(edit, nullptr);
}

void RulesGrowthWriter::noteFruitBlock(MapBlock& cell, uint16_t blockId) {
  if (!plants_.map().props()[blockId].has(block_flag::kFruitPlant)) return;
  plants_.addFruitPlant(cell, fruitRowForBlock(blockId));
}

void MapGrowthWriter::place(MapBlock& cell, uint16_t blockId, uint8_t variant, uint8_t state) {
  map_.setBlockAt(blockId, variant, cell.x, cell.y, 0);
  cell.setBlockState(state);
}

void MapGrowthWriter::setDeco(MapBlock& cell, uint8_t slot, uint16_t blockId, uint8_t variant) {
  map_.markChanged(cell);
  cell.decos[slot & 3] = map_deco::make(blockId, variant, MapBlock::kFront);
}
