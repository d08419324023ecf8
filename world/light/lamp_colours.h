#pragma once
// Where the light map finds the colour of a coloured lamp that is on (block 2114 in variant 1): the
// circuit devices keep it per cell. Whoever owns that memory hands the light map an implementation
// (`LightMap::setLampColours`); without one such a lamp emits nothing. Same thread as the map.

#include <cstdint>

class MapBlock;

// The two lamps: each lights only in variant 1 (its on look), the coloured one in the colour the
// circuit devices keep for it. Neither emits by its block's own light flag, which knows no variant.
namespace lamp_block {
constexpr uint16_t kLamp = 2112;
constexpr uint16_t kColouredLamp = 2114;
constexpr bool isLamp(uint16_t id) { return id == kLamp || id == kColouredLamp; }
}  // namespace lamp_block

class LampColours {
 public:
  virtual ~LampColours() = default;
  // The stored 12-bit colour of the lamp in the cell; 0 when none is stored.
  virtual uint16_t lampColourAt(const MapBlock& cell) const = 0;
};
