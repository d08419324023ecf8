#include "content/tables/craft_def.h"

uint16_t CraftDef::ingredient(int cell) const {
  if (cell < 0 || cell >= static_cast<int>(content::craft_record::gridCells)) return content::kNoItem;
  return u16(content::craft_record::grid + 2 * static_cast<size_t>(cell));
}
