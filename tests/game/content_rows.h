#pragma once
// Test helpers for the game's rule tests: a fresh, empty set of content tables and the few rows
// a test fills in (items, blocks, recipes), written byte by byte as the content file has them.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"

namespace test_rows {

template <size_t N>
void putU16(content::RecordBytes<N>& record, size_t offset, uint16_t value) {
  record.bytes[offset] = static_cast<uint8_t>(value);
  record.bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline ItemDef& defineItem(uint16_t id, uint8_t kind, bool stackable = true) {
  ItemDef& def = contentTables().itemDefs[id];
  def.defined = true;
  def.record.bytes[content::item_record::kind] = kind;
  def.record.bytes[content::item_record::freeStack] = stackable ? 1 : 0;
  return def;
}

inline void setBlockFlags(uint16_t block, uint64_t flags) {
  BlockRecord& record = contentTables().blockDefs[block].record;
  for (size_t i = 0; i < 8; ++i) record.bytes[content::block_record::flags + i] = static_cast<uint8_t>(flags >> (8 * i));
}

struct Recipe {
  uint8_t layout = 3;
  uint8_t cells = 1;
  uint16_t result = 1;
  std::initializer_list<uint16_t> grid = {};  // missing cells are empty
  uint8_t station = 0;
  bool equivalents = false;
  uint8_t resultCount = 1;
  uint16_t bookEntry = 0xFFFF;
  uint8_t weightClass = 1;
};

inline void setRecipe(size_t row, const Recipe& r) {
  namespace f = content::craft_record;
  CraftDef& def = contentTables().craftDefs[row];
  def.bytes[f::shape] = r.layout;
  def.bytes[f::category] = r.weightClass;
  def.bytes[f::resultCount] = r.resultCount;
  def.bytes[f::cellCount] = r.cells;
  def.bytes[f::equivalents] = r.equivalents ? 1 : 0;
  putU16(def, f::result, r.result);
  def.bytes[f::station] = r.station;
  putU16(def, f::bookEntry, r.bookEntry);
  size_t cell = 0;
  for (uint16_t id : r.grid) putU16(def, f::grid + 2 * cell++, id);
  for (; cell < f::gridCells; ++cell) putU16(def, f::grid + 2 * cell, 0xFFFF);
}

// Empty tables and texts for each test, put back afterwards.
class ContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installContentTables(std::make_unique<ContentTables>());
    resetLanguageTexts();
  }
  void TearDown() override {
    resetContentTables();
    resetLanguageTexts();
  }
};

}  // namespace test_rows
