#pragma once
// The one record of every cell change: mining, placing, block use, circuits, liquids, explosions
// and chat commands each build a `BlockEdit`, the rules check it and the world applies it; the host
// sends the same 16 bytes to its peers. Bytes: kind at 0, x at 2, y at 4, the take-from-held-stack
// flag at 6, the value from 8 (by kind a block id; the new liquid byte and the old liquid kind; a
// circuit kind; a circuit setting of a u32 and a u16; a 7-byte blast description; a flag byte), the
// decoration slot at 10, the block state at 11, the variant at 12, the layer at 13 and the extra at
// 14 (a drop flag, or the 16-bit gene word of a planted seed). The value overlaps the fields after
// it for the kinds that carry more than a block id; `valueByte` reads the value bytes whatever the
// kind.

#include <cstddef>
#include <cstdint>


struct BlockEdit {
  static constexpr size_t kWireSize = 16;
  static constexpr size_t kValueBytes = 7;  // bytes 8-14

  uint8_t kind = 0;
  uint16_t x = 0;
  uint16_t y = 0;
  uint8_t takeHeld = 0;  // byte 6: the acting player uses up one of its held stack
  uint16_t blockId = 0;  // value bytes 0-1
  uint8_t slot = 255;    // value byte 2; 255 = find the decoration by id
  uint8_t state = 0;     // value byte 3
  uint8_t variant = 0;   // value byte 4
  uint8_t layer = 0;     // value byte 5; 0 front, 1 back
  uint16_t extra = 0;    // value byte 6 is its low byte

  // Value byte i (0-6) = record byte 8 + i.
  uint8_t valueByte(size_t i) const;
  void setValueByte(size_t i, uint8_t value);

  // The 16 bytes as they cross files and the wire.
  void encode(uint8_t out[kWireSize]) const;
  static BlockEdit decode(const uint8_t in[kWireSize]);
};

// A variant of RANDOM_BLOCK_VARIANT or more draws one among the block's variants.
constexpr int RANDOM_BLOCK_VARIANT = 255;

void makeBlockValue(BlockEdit& out, uint16_t column, uint16_t row, uint8_t kind, uint16_t blockId,
                    int variant, uint8_t layer, uint8_t extra);
