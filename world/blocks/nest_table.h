#pragma once
// Blocks that hold mobs: breaking one (a hive, a nest, an egg cluster) lets its mobs out.

#include <cstdint>

struct NestRow {
  uint16_t spawnMode = 0;
  uint16_t blockId = 0;
  uint16_t mobA = 0;
  uint8_t minA = 0;
  uint8_t maxA = 0;
  uint16_t mobB = 0;
  uint8_t minB = 0;
  uint8_t maxB = 0;
  uint8_t coinFlag = 0;  // set: each mob of the first kind is of the second kind when a draw is odd
};

// The row of a nest block, null for any other block.
const NestRow* nestRowFor(uint16_t blockId);
