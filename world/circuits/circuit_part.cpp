#include "world/circuits/circuit_part.h"

const std::array<CircuitPart, circuit_kind::kCount>& circuitParts() {
  // kind, block, item, turnable, inputs, outputs, timed
  static constexpr std::array<CircuitPart, circuit_kind::kCount> kParts{{
      {0, 0, 0xFFFF, 0, 0x00, 0x00, 0},
      {1, 2064, 1616, 0, 0x0F, 0x0F, 0},
      {2, 2096, 1872, 0, 0x0F, 0x0F, 0},
      {3, 2081, 1935, 1, 0x00, 0x01, 0},
      {4, 2080, 1871, 1, 0x00, 0x01, 0},
      {5, 2056, 1554, 1, 0x00, 0x01, 1},
      {6, 2050, 1681, 1, 0x04, 0x01, 0},
      {7, 2048, 1553, 1, 0x0A, 0x01, 0},
      {8, 2049, 1617, 1, 0x0A, 0x01, 0},
      {9, 2051, 1745, 1, 0x0A, 0x01, 0},
      {10, 2054, 1937, 1, 0x04, 0x01, 0},
      {11, 2052, 1809, 1, 0x0A, 0x01, 0},
      {12, 2053, 1873, 1, 0x0A, 0x01, 0},
      {13, 2055, 2001, 1, 0x0A, 0x01, 0},
      {14, 2059, 1746, 0, 0x0F, 0x0F, 0},
      {15, 0, 0xFFFF, 0, 0x00, 0x0F, 0},
      {16, 0, 0xFFFF, 0, 0x00, 0x0F, 1},
      {17, 0, 0xFFFF, 0, 0x0F, 0x00, 0},
      {18, 2057, 1618, 1, 0x0D, 0x02, 0},
      {19, 2058, 1682, 1, 0x0D, 0x02, 0},
      {20, 2083, 2000, 1, 0x06, 0x01, 0},
      {21, 2060, 1810, 1, 0x04, 0x01, 1},
      {22, 2061, 1874, 1, 0x0A, 0x01, 0},
      {23, 2082, 1936, 1, 0x0E, 0x01, 0},
      {24, 2063, 1551, 1, 0x0C, 0x01, 0},
      {25, 2062, 1615, 1, 0x04, 0x01, 0},
  }};
  return kParts;
}

const CircuitPart& circuitPart(uint8_t kind) {
  const auto& parts = circuitParts();
  return parts[kind < parts.size() ? kind : circuit_kind::kNone];
}
