#pragma once
// Where the light map finds the colour of a coloured lamp that is on (block 2114 in variant 1): the
// circuit devices keep it per cell. Whoever owns that memory hands the light map an implementation
// (`LightMap::setLampColours`); without one such a lamp emits nothing. Same thread as the map.

#include <cstdint>

class MapBlock;

class LampColours {
 public:
  virtual ~LampColours() = default;
  // The stored 12-bit colour of the lamp in the cell; 0 when none is stored.
  virtual uint16_t lampColourAt(const MapBlock& cell) const = 0;
};
