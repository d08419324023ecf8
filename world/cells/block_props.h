#pragma once
// A flat snapshot of what the cell code reads of every block definition: the flag word, light
// colour, variant count, blast resistance and transparency of all 4096 block ids. Hot loops (light,
// liquids, surface scans) read this 64 KB table instead of decoding definition records. A world
// takes its snapshot when it is built, so the content must be installed before worlds are made.

#include <array>
#include <cstdint>

struct BlockProps {
  uint64_t flags = 0;
  uint16_t lightColor = 0;
  uint8_t variantCount = 0;
  uint8_t blastResistance = 0;
  uint8_t transparency = 0;  // 0 opaque full block, 1 fully clear, 2 and 3 attached decorations

  bool has(int bit) const { return ((flags >> bit) & 1u) != 0; }
  bool opaque() const { return transparency == 0; }
  bool fullyClear() const { return transparency == 1; }
};

class BlockPropsTable {
 public:
  static constexpr int kBlockIds = 4096;

  // Reads every row of the installed content tables.
  BlockPropsTable();

  const BlockProps& operator[](uint16_t id) const { return rows_[id & 0xFFF]; }
  // For tests that shape a block after the table was taken.
  BlockProps& mutableRow(uint16_t id) { return rows_[id & 0xFFF]; }

 private:
  std::array<BlockProps, kBlockIds> rows_{};
};
