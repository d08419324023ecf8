#pragma once
// The flat light of a cell, channel by channel, as everything drawn in it takes it: the sky's part
// is the cell's sky level less the world's darkness (never below 0), and each channel is the
// brighter of that and the channel's block-light nibble (red the low nibble, then green, then
// blue), 0-15. Tiles, entities and particles all tint by it, so a red lamp reddens them alike.

#include <array>
#include <cstdint>

class MapBlock;

// Red, green and blue, each 0-15.
std::array<uint8_t, 3> cellLightLevels(const MapBlock& cell, uint32_t darkness);
