#pragma once
// The edit record that places or changes one block. The world model validates and applies it;
// the content rules only fill it.

#include <cstdint>

#include "content/items/map_cell.h"

struct BlockEdit {
  uint8_t kind = 0;
  uint8_t reserved0 = 0;
  uint16_t column = 0;
  uint16_t row = 0;
  uint16_t reserved1 = 0;
  uint16_t blockId = 0;
  uint8_t marker = 255;
  uint8_t extra = 0;
  uint8_t variant = 0;
  uint8_t layer = 0;
  uint8_t reserved2 = 0;
};

// A variant of RANDOM_BLOCK_VARIANT or more draws one among the block's variants.
constexpr int RANDOM_BLOCK_VARIANT = 255;

void makeBlockValue(BlockEdit& out, uint16_t column, uint16_t row, uint8_t kind, uint16_t blockId,
                    int variant, uint8_t layer, uint8_t extra);
void makeBlockValueFrom(BlockEdit& out, const CellInfo& cell, uint8_t kind, uint16_t blockId,
                        int variant, uint8_t layer, uint8_t extra);
