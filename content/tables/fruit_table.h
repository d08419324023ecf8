#pragma once
// The fruit table: grown blocks that bear fruit, the fruit item each hangs, how likely a grown
// block is to bear at all, how many fruits it holds at most and the fruit's variant. Two blocks
// take the fruit variant from their own variant instead (`byState`). Fixed data.

#include <cstdint>
#include <span>

struct FruitRow {
  uint16_t block = 0;
  uint16_t fruit = 0;
  float chance = 0;
  uint8_t max = 0;
  uint8_t variant = 0;
  uint8_t byState = 0;
};

std::span<const FruitRow> fruitTable();
// The row of a block (first match), or null.
const FruitRow* fruitRowForBlock(uint16_t blockId);
// The variant of the fruit a row hangs from a block of the given variant.
uint8_t fruitVariantFor(const FruitRow& row, uint8_t blockVariant);
