#include "world/cells/block_props.h"

#include "content/tables/content_tables.h"

BlockPropsTable::BlockPropsTable() {
  const ContentTables& tables = contentTables();
  for (int id = 0; id < kBlockIds; ++id) {
    const BlockRecord& record = tables.blockDefs[static_cast<size_t>(id)].record;
    BlockProps& row = rows_[static_cast<size_t>(id)];
    row.flags = record.flags();
    row.lightColor = record.lightColor();
    row.variantCount = record.variantCount();
    row.blastResistance = record.blastResistance();
    row.transparency = record.transparency();
  }
}
