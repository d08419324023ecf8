#pragma once
// What the item and block rules read of one map cell. The world model owns its cells; it hands
// the rules this small copy (position and front block word) instead of its own cell type.

#include <cstdint>

struct CellInfo {
  uint16_t column = 0;
  uint16_t row = 0;
  uint32_t frontBlock = 0;  // bits 0-11: the block id

  uint16_t blockId() const { return static_cast<uint16_t>(frontBlock & 0xFFF); }
};
