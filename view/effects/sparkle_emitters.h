#pragma once
// Which blocks glint: a block with the glint flag shows sparkles of its particle list, placed by
// its position kind (0-7; 7 shows none). The first row of a block id counts.

#include <cstdint>

struct SparkleSource;

// The row of a front block id, or null when the block has none.
const SparkleSource* sparkleEmitterFor(uint16_t blockId);
