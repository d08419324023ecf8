#pragma once
// Crafting recipes: 1246 fixed rows of 30 bytes.

#include <cstdint>

#include "content/format/record_bytes.h"

struct CraftDef : content::RecordBytes<content::kCraftRecordSize> {
  uint8_t shape() const { return u8(content::craft_record::shape); }
  uint8_t category() const { return u8(content::craft_record::category); }
  uint8_t station() const { return u8(content::craft_record::station); }
  uint8_t resultCount() const { return u8(content::craft_record::resultCount); }
  uint8_t cellCount() const { return u8(content::craft_record::cellCount); }
  bool equivalentsAllowed() const { return u8(content::craft_record::equivalents) != 0; }
  bool returnsContainers() const { return u8(content::craft_record::returnsContainers) != 0; }
  uint16_t result() const { return u16(content::craft_record::result); }
  // The craft book entry a character must know; kAlwaysKnown for recipes everyone knows.
  uint16_t bookEntry() const { return u16(content::craft_record::bookEntry); }
  // Grid cell 0..8 (cell 0 is ingredient A, cell 1 ingredient B); 0xFFFF is an empty cell.
  uint16_t ingredient(int cell) const;
};
