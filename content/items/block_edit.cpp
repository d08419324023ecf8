#include "content/items/block_edit.h"

#include "content/tables/content_tables.h"
#include "engine/base/random.h"

void makeBlockValue(BlockEdit& out, uint16_t column, uint16_t row, uint8_t kind, uint16_t blockId,
                    int variant, uint8_t layer, uint8_t extra) {
  out = BlockEdit{};
  out.kind = kind;
  out.column = column;
  out.row = row;
  out.blockId = blockId;
  out.extra = extra;
  out.layer = layer;
  if (variant < 0 || variant >= RANDOM_BLOCK_VARIANT) {
    const BlockDef* def = blockDefinitionById(blockId);
    const int variants = def ? def->record.variantCount() : 0;
    out.variant = variants >= 2 ? static_cast<uint8_t>(engine::randomNext() % variants) : 0;
  } else {
    out.variant = static_cast<uint8_t>(variant);
  }
}

void makeBlockValueFrom(BlockEdit& out, const CellInfo& cell, uint8_t kind, uint16_t blockId,
                        int variant, uint8_t layer, uint8_t extra) {
  makeBlockValue(out, cell.column, cell.row, kind, blockId, variant, layer, extra);
}
