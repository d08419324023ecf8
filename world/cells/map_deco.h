#pragma once
// A decoration slot of a cell: bits 0-11 block id (0 = empty slot), bits 12-14 variant, bit 15
// side (0 front, 1 back). Emptying a slot keeps its side bit.

#include <cstdint>

using MapDeco = uint16_t;

namespace map_deco {

constexpr uint16_t kIdMask = 0x0FFF;
constexpr uint16_t kSideBit = 0x8000;

inline uint16_t id(MapDeco deco) { return deco & kIdMask; }
inline uint8_t variant(MapDeco deco) { return static_cast<uint8_t>((deco >> 12) & 7); }
inline uint8_t side(MapDeco deco) { return static_cast<uint8_t>(deco >> 15); }
inline bool empty(MapDeco deco) { return id(deco) == 0; }
inline MapDeco make(uint16_t blockId, uint8_t variantNumber, uint8_t sideNumber) {
  return static_cast<MapDeco>(((sideNumber & 1) << 15) | ((variantNumber & 7) << 12) | (blockId & kIdMask));
}
inline void clear(MapDeco& deco) { deco &= kSideBit; }

}  // namespace map_deco

// A block word of a layer: bits 0-11 block id, bits 12-14 variant, bit 15 the layer mark (set in
// every front word, clear in every back word), so a reference to a word tells its layer.
namespace block_word {

constexpr uint16_t kLayerMark = 0x8000;

inline uint16_t id(uint16_t word) { return word & 0x0FFF; }
inline uint8_t variant(uint16_t word) { return static_cast<uint8_t>((word >> 12) & 7); }
inline bool isFront(uint16_t word) { return (word & kLayerMark) != 0; }
inline uint16_t compose(uint16_t oldWord, uint16_t blockId, uint8_t variantNumber) {
  return static_cast<uint16_t>((oldWord & kLayerMark) | ((variantNumber & 7) << 12) | (blockId & 0x0FFF));
}

}  // namespace block_word
